#include <gtest/gtest.h>

#include "DatImage.h"
#include "RunTool.h"
#include "TempFolder.h"
#include "archive/DatEntry.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

ImageMember Member(std::string name) {
    return {.Name = std::move(name), .Content = Bytes("some content of a member, some content")};
}

struct MalformedCase {
    const char* Label;
    std::vector<std::uint8_t> Image;
    std::string Problem;  // the text naming it
    int ListExit;         // list reads the directory only
};

void PrintTo(const MalformedCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class MalformedArchive : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedArchive, EveryCommandNamesTheProblemAndExitsWithOne) {
    TempFolder folder;
    const auto archive = (folder / "bad.dat").string();
    WriteFile(archive, GetParam().Image);

    const auto list = RunTool({"list", archive});
    EXPECT_EQ(list.ExitCode, GetParam().ListExit) << list.Err;

    const auto extract = RunTool({"extract", archive, (folder / "out").string()});
    EXPECT_EQ(extract.ExitCode, 1);
    EXPECT_NE(extract.Err.find(GetParam().Problem), std::string::npos) << extract.Err;

    const auto verify = RunTool({"verify", archive});
    EXPECT_EQ(verify.ExitCode, 1);
    EXPECT_NE(verify.Out.find(GetParam().Problem), std::string::npos) << verify.Out;
}

std::vector<std::uint8_t> Damaged(std::vector<std::uint8_t> image, std::size_t at) {
    image[at] ^= 0x5A;
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MalformedArchive,
    ::testing::Values(
        MalformedCase{"EmptyFile", {}, "too short", 1},
        MalformedCase{"ShorterThan8Bytes", {1, 2, 3, 4, 5}, "too short", 1},
        MalformedCase{"NegativeTreeSize", BuildDatImage({Member("a.txt")}, {.TreeSize = -20}),
                      "directory lies outside", 1},
        MalformedCase{"OversizedTreeSize",
                      BuildDatImage({Member("a.txt")}, {.TreeSize = 0x7FFFFFF0}),
                      "directory lies outside", 1},
        MalformedCase{"DataSizeBeyondTheFile",
                      BuildDatImage({Member("a.txt")}, {.DataSize = 0x7FFFFFFF}),
                      "directory lies outside", 1},
        // 16 bytes whose DataSize puts FilesTotal at offset 13: its last three bytes would lie
        // past the end of the file.
        MalformedCase{"FilesTotalRunsPastTheEnd",
                      BuildDatImage({}, {.DataSize = 13 + 4 + 8, .Leading = Bytes("lead")}),
                      "directory lies outside", 1},
        MalformedCase{"NegativeFilesTotal", BuildDatImage({Member("a.txt")}, {.FilesTotal = -1}),
                      "number of files is negative", 1},
        // A huge FilesTotal must not make anyone allocate for it.
        MalformedCase{"FilesTotalBeyondTheDirectory",
                      BuildDatImage({Member("a.txt")}, {.FilesTotal = 0x7FFFFFFF}),
                      "directory entry is damaged", 1},
        MalformedCase{"NegativeNameLen", BuildDatImage({{.Name = "a.txt", .NameLen = -3}}),
                      "directory entry is damaged", 1},
        MalformedCase{"OversizedNameLen", BuildDatImage({{.Name = "a.txt", .NameLen = 0x7FFFFFF0}}),
                      "directory entry is damaged", 1},
        MalformedCase{"NameOver255Characters", BuildDatImage({Member(std::string(256, 'n'))}),
                      "name is longer than 255 characters", 1},
        MalformedCase{"OffsetBeyondTheFile",
                      BuildDatImage({{.Name = "a.txt", .Offset = 1'000'000}}),
                      "lies outside the file", 0},
        MalformedCase{"NegativeOffset", BuildDatImage({{.Name = "a.txt", .Offset = -5}}),
                      "lies outside the file", 0},
        MalformedCase{
            "NegativeRealSize",
            BuildDatImage({{.Name = "a.txt", .Storage = MemberStorage::Stored, .RealSize = -1}}),
            "impossible size", 0},
        // Announcing 2 GiB for a few packed bytes must not make anyone allocate 2 GiB.
        MalformedCase{"RealSizeNoStreamCanReach",
                      BuildDatImage({{.Name = "a.txt",
                                      .Content = std::vector<std::uint8_t>(100, 'a'),
                                      .Storage = MemberStorage::Compressed,
                                      .RealSize = 0x7FFFFFF0}}),
                      "impossible size", 0},
        MalformedCase{"RealSizeLargerThanTheStream",
                      BuildDatImage({{.Name = "a.txt",
                                      .Content = std::vector<std::uint8_t>(100, 'a'),
                                      .Storage = MemberStorage::Compressed,
                                      .RealSize = 150}}),
                      "compressed member is damaged", 0},
        // Read piece by piece (a large member), and judged alike.
        MalformedCase{"LargeRealSizeLargerThanTheStream",
                      BuildDatImage({{.Name = "a.txt",
                                      .Content = std::vector<std::uint8_t>(5 << 20, 'a'),
                                      .Storage = MemberStorage::Compressed,
                                      .RealSize = (5 << 20) + 150}}),
                      "compressed member is damaged", 0},
        MalformedCase{"DamagedStream",
                      Damaged(BuildDatImage({{.Name = "a.txt",
                                              .Content = std::vector<std::uint8_t>(100, 'a'),
                                              .Storage = MemberStorage::Compressed}}),
                              4),
                      "compressed member is damaged", 0}),
    [](const auto& testCase) { return std::string(testCase.param.Label); });

TEST(MalformedArchive, MissingFileCannotBeOpened) {
    TempFolder folder;
    for (const char* command : {"list", "info", "verify"}) {
        const auto run = RunTool({command, (folder / "missing.dat").string()});
        EXPECT_EQ(run.ExitCode, 1) << command;
        EXPECT_NE((run.Err + run.Out).find("cannot be opened"), std::string::npos) << command;
    }
}

TEST(MalformedArchive, VerifyReportsWhereTheReadersDisagree) {
    TempFolder folder;
    const auto archive = (folder / "mod.dat").string();
    // FilesTotal 1 while the directory holds 2 entries: the scan lists 2, the unpacker visits 1.
    WriteFile(archive, BuildDatImage({Member("a.txt"), Member("b.txt")}, {.FilesTotal = 1}));
    EXPECT_EQ(RunTool({"list", archive}).ExitCode, 0);
    const auto verify = RunTool({"verify", archive});
    EXPECT_EQ(verify.ExitCode, 1);
    EXPECT_NE(
        verify.Out.find(
            "FilesTotal does not match the entries in the directory (FilesTotal 1, 2 entries)"),
        std::string::npos)
        << verify.Out;

    auto image = BuildDatImage({Member("a.txt")});
    image.insert(image.begin(), 3, 0);  // DataSize now falls short of the file's length
    WriteFile(archive, image);
    const auto shifted = RunTool({"verify", archive});
    EXPECT_EQ(shifted.ExitCode, 1);
    EXPECT_NE(shifted.Out.find("DataSize is not the file's length"), std::string::npos)
        << shifted.Out;

    // DataSize too large by entry "a": the unpacker reads only "B", the last entry it reads, where
    // the scan reads "a".
    const std::vector<ImageMember> members = {{.Name = "a", .Content = Bytes("1"), .Offset = 1},
                                              {.Name = "B", .Content = Bytes("2")}};
    const auto length = static_cast<std::int32_t>(BuildDatImage(members).size());
    WriteFile(archive, BuildDatImage(members, {.DataSize = length + kEntryFixedBytes + 1}));
    const auto renamed = RunTool({"verify", archive});
    EXPECT_EQ(renamed.ExitCode, 1);
    EXPECT_NE(renamed.Out.find("b: the start-up scan and the unpacker read different names "
                               "(entry 1: the scan reads a)"),
              std::string::npos)
        << renamed.Out;
}

}  // namespace
}  // namespace vrel
