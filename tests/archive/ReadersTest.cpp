#include <gtest/gtest.h>

#include "DatImage.h"
#include "Fakes.h"
#include "TempFolder.h"
#include "archive/DatWalk.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::TempFolder;
using testing::WriteFile;

// The smallest archive: one stored member a.txt holding "abc", written out byte by byte.
const std::vector<std::uint8_t> kExampleArchive = {0x61, 0x62, 0x63,              // member data
                                                   0x01, 0x00, 0x00, 0x00,        // FilesTotal = 1
                                                   0x05, 0x00, 0x00, 0x00,        // NameLen = 5
                                                   0x61, 0x2E, 0x74, 0x78, 0x74,  // a.txt
                                                   0x00,                          // Compressed = 0
                                                   0x03, 0x00, 0x00, 0x00,        // RealSize = 3
                                                   0x03, 0x00, 0x00, 0x00,        // PackedSize = 3
                                                   0x00, 0x00, 0x00, 0x00,        // Offset = 0
                                                   0x1A, 0x00, 0x00, 0x00,        // TreeSize = 26
                                                   0x25, 0x00, 0x00, 0x00};       // DataSize = 37

std::vector<std::string> WalkNames(const std::filesystem::path& path) {
    auto walk = DatWalk::Open(path);
    EXPECT_TRUE(walk.has_value());
    std::vector<std::string> names;
    if (!walk) {
        return names;
    }
    while (auto entry = walk->NextDatEntry()) {
        names.push_back(entry->Name);
    }
    return names;
}

class ReadersTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::vector<std::uint8_t>& image,
                                const std::string& name = "mod.dat") {
        const auto path = folder_ / name;
        WriteFile(path, image);
        return path;
    }
    TempFolder folder_;
};

TEST_F(ReadersTest, ExampleArchiveThroughBothReaders) {
    const auto path = Write(kExampleArchive);
    const DatScan scan = ScanDat(path, true);
    EXPECT_FALSE(scan.Problem);
    EXPECT_EQ(scan.FilesTotal, 1);
    EXPECT_EQ(scan.Names, std::vector<std::string>{"a.txt"});
    EXPECT_EQ(scan.Description, kNoDescription);

    auto walk = DatWalk::Open(path);
    ASSERT_TRUE(walk.has_value());
    EXPECT_EQ(walk->FilesTotal(), 1);
    const auto entry = walk->NextDatEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Name, "a.txt");
    EXPECT_EQ(entry->Compressed, 0);
    EXPECT_EQ(entry->RealSize, 3);
    EXPECT_EQ(entry->Offset, 0);
    const MemberContent content = walk->ReadDatMember(*entry);
    EXPECT_FALSE(content.Problem);
    EXPECT_EQ(content.Bytes, Bytes("abc"));
    EXPECT_FALSE(walk->NextDatEntry());
    EXPECT_FALSE(walk->Problem());

    // The project's own writer produces the very same bytes.
    EXPECT_EQ(BuildDatImage(
                  {{.Name = "a.txt", .Content = Bytes("abc"), .Storage = MemberStorage::Stored}}),
              kExampleArchive);
}

TEST_F(ReadersTest, NamesAreReadWholeAndTheNextEntryStillReads) {
    const std::string name45 = "art\\critters\\ABCDEFGHIJKLMNOPQRSTUVWXYZ01.frm";
    const auto path = Write(BuildDatImage({{.Name = name45, .Content = Bytes("x")},
                                           {.Name = "Maps\\Next.MAP", .Content = Bytes("y")},
                                           {.Name = std::string(255, 'Q'), .Content = Bytes("z")},
                                           {.Name = "", .Content = Bytes("e")}}));
    const DatScan scan = ScanDat(path, false);
    EXPECT_FALSE(scan.Problem);
    EXPECT_EQ(scan.Names, (std::vector<std::string>{AnsiToLower(name45), "maps\\next.map",
                                                    std::string(255, 'q'), ""}));
    EXPECT_EQ(WalkNames(path),
              (std::vector<std::string>{name45, "Maps\\Next.MAP", std::string(255, 'Q'), ""}));
}

TEST_F(ReadersTest, ScanTrustsTheTreeAndTheWalkTrustsFilesTotal) {
    const std::vector<ImageMember> four = {{.Name = "a", .Content = Bytes("1")},
                                           {.Name = "b", .Content = Bytes("2")},
                                           {.Name = "c", .Content = Bytes("3")},
                                           {.Name = "d", .Content = Bytes("4")}};
    const auto path = Write(BuildDatImage(four, {.FilesTotal = 3}));
    const DatScan scan = ScanDat(path, false);
    EXPECT_EQ(scan.FilesTotal, 3);
    EXPECT_EQ(scan.Names.size(), 4u);
    EXPECT_EQ(WalkNames(path), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ReadersTest, ScanUsesTheFileLengthAndTheWalkUsesDataSize) {
    // DataSize too large by the size of entry "a": the walk finds FilesTotal in the last field of
    // that entry (its Offset, set to 1) and then reads entry "B" alone.
    const std::vector<ImageMember> members = {{.Name = "a", .Content = Bytes("1"), .Offset = 1},
                                              {.Name = "B", .Content = Bytes("2")}};
    const auto goodLength = static_cast<std::int32_t>(BuildDatImage(members).size());
    const auto path =
        Write(BuildDatImage(members, {.DataSize = goodLength + kEntryFixedBytes + 1}));
    const DatScan scan = ScanDat(path, false);
    EXPECT_FALSE(scan.Problem);
    EXPECT_EQ(scan.Names, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(WalkNames(path), std::vector<std::string>{"B"});
}

TEST_F(ReadersTest, EmptyArchiveListsNothing) {
    const auto path = Write(BuildDatImage({}));
    const DatScan scan = ScanDat(path, true);
    EXPECT_FALSE(scan.Problem);
    EXPECT_EQ(scan.FilesTotal, 0);
    EXPECT_TRUE(scan.Names.empty());
    EXPECT_EQ(scan.Description, kNoDescription);
    EXPECT_TRUE(WalkNames(path).empty());
}

struct DescriptionCase {
    const char* what;
    std::vector<ImageMember> members;
    bool read;
    std::string expected;
    ImageLayout layout = {};
};

TEST_F(ReadersTest, DescriptionRules) {
    const std::string text = "Line one\r\nLine two\r\n";
    const std::string longText = std::string(500, 'D') + text;
    const std::vector<DescriptionCase> cases = {
        {"stored, lower case",
         {{.Name = "amoddesc.qrd",
           .Content = Bytes("0123456789"),
           .Storage = MemberStorage::Stored}},
         true,
         "0123456789"},
        {"any case, CR LF kept",
         {{.Name = "AModDesc.QRD", .Content = Bytes(text)},
          {.Name = "a.txt", .Content = Bytes("x")}},
         true,
         text},
        {"compressed at a non-zero offset",
         {{.Name = "amoddesc.qrd",
           .Content = Bytes(longText),
           .Storage = MemberStorage::Compressed}},
         true,
         longText,
         {.Leading = Bytes("pad")}},
        {"second entry is not looked at",
         {{.Name = "a.txt", .Content = Bytes("x")},
          {.Name = "amoddesc.qrd", .Content = Bytes("y")}},
         true,
         kNoDescription},
        {"in a folder is not found",
         {{.Name = "docs\\amoddesc.qrd", .Content = Bytes("y")}},
         true,
         kNoDescription},
        {"not asked for", {{.Name = "amoddesc.qrd", .Content = Bytes("y")}}, false, ""},
    };
    for (const auto& c : cases) {
        const auto path = Write(BuildDatImage(c.members, c.layout));
        const DatScan scan = ScanDat(path, c.read);
        EXPECT_FALSE(scan.Problem) << c.what;
        EXPECT_EQ(scan.Description, c.expected) << c.what;
    }
}

struct MalformedCase {
    const char* what;
    std::vector<std::uint8_t> image;
    DatProblem scanProblem;
    std::vector<std::string> namesRead;
};

TEST_F(ReadersTest, MalformedArchivesStopSafelyKeepingWhatWasRead) {
    const auto good = BuildDatImage(
        {{.Name = "a.txt", .Content = Bytes("abc")}, {.Name = "b.txt", .Content = Bytes("def")}});
    auto negativeNameLen = BuildDatImage({{.Name = "a.txt", .Content = Bytes("abc")},
                                          {.Name = "b.txt", .Content = Bytes("d"), .NameLen = -7}});
    auto hugeNameLen =
        BuildDatImage({{.Name = "a.txt", .Content = Bytes("abc")},
                       {.Name = "b.txt", .Content = Bytes("d"), .NameLen = 1'000'000}});
    // The walk's directory runs to the end of the file, 8 bytes past the scan's: this last
    // entry ends one byte after the file does.
    auto entryOneByteShort =
        BuildDatImage({{.Name = "a.txt", .Content = Bytes("abc")},
                       {.Name = "b.txt", .Content = Bytes("d"), .NameLen = 5 + 8 + 1}});
    const auto oneMember = BuildDatImage({{.Name = "a", .Content = Bytes("1")}});
    auto longName = BuildDatImage({{.Name = "a.txt", .Content = Bytes("abc")},
                                   {.Name = std::string(256, 'b'), .Content = Bytes("d")}});
    const std::vector<MalformedCase> cases = {
        {"shorter than 8 bytes", {1, 2, 3}, DatProblem::TooShort, {}},
        {"empty file", {}, DatProblem::TooShort, {}},
        {"negative TreeSize",
         BuildDatImage({{.Name = "a", .Content = Bytes("1")}}, {.TreeSize = -40}),
         DatProblem::BadTreeSize,
         {}},
        {"TreeSize past the file",
         BuildDatImage({{.Name = "a", .Content = Bytes("1")}}, {.TreeSize = 1'000'000}),
         DatProblem::BadTreeSize,
         {}},
        {"TreeSize reaching one byte before the file",
         BuildDatImage({{.Name = "a", .Content = Bytes("1")}},
                       {.TreeSize = static_cast<std::int32_t>(oneMember.size()) - 7}),
         DatProblem::BadTreeSize,
         {}},
        {"negative NameLen", negativeNameLen, DatProblem::BadEntry, {"a.txt"}},
        {"NameLen past the directory", hugeNameLen, DatProblem::BadEntry, {"a.txt"}},
        {"last entry one byte short", entryOneByteShort, DatProblem::BadEntry, {"a.txt"}},
        {"name over 255 bytes", longName, DatProblem::LongName, {"a.txt"}},
    };
    for (const auto& c : cases) {
        const auto path = Write(c.image);
        const DatScan scan = ScanDat(path, true);
        EXPECT_EQ(scan.Problem, c.scanProblem) << c.what;
        EXPECT_EQ(scan.Names, c.namesRead) << c.what;

        auto walk = DatWalk::Open(path);
        std::size_t visited = 0;
        if (walk) {
            while (walk->NextDatEntry()) {
                ++visited;
            }
            EXPECT_TRUE(walk->Problem()) << c.what;
        }
        EXPECT_LE(visited, c.namesRead.size()) << c.what;
    }
    EXPECT_FALSE(ScanDat(Write(good), true).Problem);
    EXPECT_EQ(ScanDat(folder_ / "missing.dat", true).Problem, DatProblem::CannotOpen);
}

struct MemberCase {
    const char* what;
    ImageMember member;
    std::optional<DatProblem> problem;
};

TEST_F(ReadersTest, MemberReadsAreBoundedAndChecked) {
    const std::vector<std::uint8_t> text = Bytes(std::string(3000, 'z'));
    // Data first, so a PackedSize of the file's length ends the member exactly at the end.
    const auto fileLength = static_cast<std::int32_t>(
        BuildDatImage({{.Name = "e", .Content = text, .Storage = MemberStorage::Compressed}})
            .size());
    const std::vector<MemberCase> cases = {
        {"stored", {.Name = "s", .Content = text, .Storage = MemberStorage::Stored}, std::nullopt},
        {"compressed",
         {.Name = "c", .Content = text, .Storage = MemberStorage::Compressed},
         std::nullopt},
        {"offset past the end",
         {.Name = "o", .Content = text, .Storage = MemberStorage::Stored, .Offset = 100'000},
         DatProblem::MemberOutsideFile},
        {"negative offset",
         {.Name = "n", .Content = text, .Storage = MemberStorage::Stored, .Offset = -1},
         DatProblem::MemberOutsideFile},
        {"stored size past the end",
         {.Name = "p",
          .Content = text,
          .Storage = MemberStorage::Stored,
          .RealSize = 2'000'000'000},
         DatProblem::MemberOutsideFile},
        {"packed bytes ending at the end of the file",
         {.Name = "e",
          .Content = text,
          .Storage = MemberStorage::Compressed,
          .PackedSize = fileLength},
         std::nullopt},
        {"packed bytes one past the end of the file",
         {.Name = "f",
          .Content = text,
          .Storage = MemberStorage::Compressed,
          .PackedSize = fileLength + 1},
         DatProblem::MemberOutsideFile},
        {"negative size",
         {.Name = "m", .Content = text, .Storage = MemberStorage::Stored, .RealSize = -3},
         DatProblem::BadMemberSize},
        {"announced size beyond any stream",
         {.Name = "b",
          .Content = text,
          .Storage = MemberStorage::Compressed,
          .RealSize = 2'000'000'000},
         DatProblem::BadMemberSize},
        {"announced size smaller than the content",
         {.Name = "l", .Content = text, .Storage = MemberStorage::Compressed, .RealSize = 100},
         DatProblem::DamagedMember},
        {"announced size larger than the content",
         {.Name = "g", .Content = text, .Storage = MemberStorage::Compressed, .RealSize = 3100},
         DatProblem::DamagedMember},
        {"stored bytes marked compressed",
         {.Name = "k", .Content = text, .Storage = MemberStorage::Stored, .Compressed = 1},
         DatProblem::DamagedMember},
        {"other Compressed values mean stored",
         {.Name = "v", .Content = text, .Storage = MemberStorage::Stored, .Compressed = 7},
         std::nullopt},
    };
    for (const auto& c : cases) {
        const auto path = Write(BuildDatImage({c.member}));
        auto walk = DatWalk::Open(path);
        ASSERT_TRUE(walk.has_value()) << c.what;
        const auto entry = walk->NextDatEntry();
        ASSERT_TRUE(entry) << c.what;
        const MemberContent content = walk->ReadDatMember(*entry);
        EXPECT_EQ(content.Problem, c.problem) << c.what;
        if (!c.problem) {
            EXPECT_EQ(content.Bytes, text) << c.what;
        }
        EXPECT_LE(content.Bytes.size(), 4000u) << c.what;
    }
}

TEST_F(ReadersTest, BothReadersAgreeOnTheRealSfallArchive) {
    const std::filesystem::path real = std::filesystem::path(VREL_SHARED_DATA_DIR) / "sfall.dat";
    if (!std::filesystem::exists(real)) {
        GTEST_SKIP() << "no real archive at " << real << " (the shared data folder is absent)";
    }
    const DatScan scan = ScanDat(real, true);
    EXPECT_FALSE(scan.Problem);
    EXPECT_EQ(scan.FilesTotal, 17);
    ASSERT_EQ(scan.Names.size(), 17u);

    auto walk = DatWalk::Open(real);
    ASSERT_TRUE(walk.has_value());
    std::size_t i = 0;
    int stored = 0;
    while (auto entry = walk->NextDatEntry()) {
        ASSERT_LT(i, scan.Names.size());
        EXPECT_EQ(AnsiToLower(entry->Name), scan.Names[i]);
        const MemberContent content = walk->ReadDatMember(*entry);
        EXPECT_FALSE(content.Problem) << entry->Name;
        EXPECT_EQ(content.Bytes.size(), static_cast<std::size_t>(entry->RealSize));
        stored += entry->Compressed == 1 ? 0 : 1;
        ++i;
    }
    EXPECT_EQ(i, 17u);
    EXPECT_EQ(stored, 1);
}

}  // namespace
}  // namespace vrel
