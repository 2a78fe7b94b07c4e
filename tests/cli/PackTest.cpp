#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "RunTool.h"
#include "TempFolder.h"
#include "archive/DatFile.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::FolderContents;
using testing::Lines;
using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

using Files = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

std::vector<std::uint8_t> RandomBytes(std::size_t size) {
    std::mt19937 generator(7);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(generator());
    }
    return bytes;
}

std::vector<std::uint8_t> Text(std::size_t size) {
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < size) {
        const auto line = Bytes("The Chosen One walks into the Den. ");
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    bytes.resize(size);
    return bytes;
}

struct ListedEntry {
    std::string Name;
    int Compressed = 0;
    long RealSize = 0;
    long PackedSize = 0;
};

std::vector<ListedEntry> ListArchive(const std::filesystem::path& archive) {
    const auto run = RunTool({"list", archive.string()});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    std::vector<ListedEntry> entries;
    for (const std::string& line : Lines(run.Out)) {
        std::istringstream fields(line);
        ListedEntry entry;
        std::getline(fields, entry.Name, '\t');
        fields >> entry.Compressed >> entry.RealSize >> entry.PackedSize;
        entries.push_back(entry);
    }
    return entries;
}

struct RoundTripCase {
    const char* Label;
    Files Input;  // paths with '/'
};

void PrintTo(const RoundTripCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class PackRoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    TempFolder folder_;
};

TEST_P(PackRoundTrip, ListAndExtractGiveBackTheFiles) {
    const RoundTripCase& param = GetParam();
    for (const auto& [path, content] : param.Input) {
        WriteFile(folder_ / ("in/" + path), content);
    }
    const auto archive = folder_ / "mod.dat";
    const auto pack = RunTool({"pack", (folder_ / "in").string(), archive.string()});
    ASSERT_EQ(pack.ExitCode, 0) << pack.Err;

    const std::vector<ListedEntry> listed = ListArchive(archive);
    ASSERT_EQ(listed.size(), param.Input.size());
    for (const ListedEntry& entry : listed) {
        std::string path = entry.Name;
        std::replace(path.begin(), path.end(), '\\', '/');
        const auto input = std::find_if(param.Input.begin(), param.Input.end(),
                                        [&](const auto& file) { return file.first == path; });
        ASSERT_NE(input, param.Input.end()) << entry.Name;
        EXPECT_EQ(entry.RealSize, static_cast<long>(input->second.size()));
        // Compressed only where that is smaller; stored members occupy exactly their size.
        EXPECT_EQ(entry.Compressed == 1, entry.PackedSize < entry.RealSize) << entry.Name;
    }

    const auto extract = RunTool({"extract", archive.string(), (folder_ / "out").string()});
    ASSERT_EQ(extract.ExitCode, 0) << extract.Err;
    Files expected = param.Input;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderContents(folder_ / "out"), expected);
    EXPECT_EQ(RunTool({"verify", archive.string()}).ExitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackRoundTrip,
    ::testing::Values(
        RoundTripCase{"EmptyFile", {{"empty.txt", {}}, {"other.txt", Text(100)}}},
        RoundTripCase{"NameOfExactly40Characters",
                      {{"text/english/dialog/" + std::string(16, 'n') + ".msg", Text(500)}}},
        RoundTripCase{"Capitals", {{"ART/Critters/HMJMPSAA.FRM", Text(3000)}}},
        RoundTripCase{"NestedFolders",
                      {{"a/b/c/d/e.txt", Text(10)}, {"a/b/f.txt", Text(20)}, {"a/g.txt", {}}}},
        RoundTripCase{"IncompressibleData",
                      {{"sound/sfx/noise.acm", RandomBytes(5000)}, {"tiny.txt", Bytes("x")}}},
        RoundTripCase{"CompressibleData", {{"data/long.txt", Text(200'000)}}}),
    [](const auto& testCase) { return std::string(testCase.param.Label); });

TEST(Pack, ProgressShowsOnlyOnATerminalWithoutQuietAsInExtract) {
    TempFolder folder;
    WriteFile(folder / "in" / "a.txt", Text(10));
    const std::string in = (folder / "in").string();
    const std::string archive = (folder / "mod.dat").string();
    EXPECT_NE(RunTool({"pack", in, archive}, true).Err.find("100%"), std::string::npos);
    EXPECT_EQ(RunTool({"pack", in, archive}, false).Err, "");
    for (const char* quiet : {"-q", "--quiet"}) {
        const auto run = RunTool({"pack", in, archive, quiet}, true);
        EXPECT_EQ(run.ExitCode, 0) << quiet;
        EXPECT_EQ(run.Err, "") << quiet;
    }
}

TEST(Pack, DirectoryIsSortedCaseBlindWithLowerCaseFolding) {
    TempFolder folder;
    for (const char* name : {"b.txt", "Z.txt", "A.txt", "_x.txt", "ab.txt", "a/z.txt"}) {
        WriteFile(folder / "in" / name, Text(10));
    }
    const auto archive = folder / "mod.dat";
    ASSERT_EQ(RunTool({"pack", (folder / "in").string(), archive.string()}).ExitCode, 0);
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListArchive(archive)) {
        names.push_back(entry.Name);
    }
    // '_' sorts before the folded letters, and "a\" before "ab" because '\' < 'b'.
    EXPECT_EQ(names, (std::vector<std::string>{"_x.txt", "A.txt", "a\\z.txt", "ab.txt", "b.txt",
                                               "Z.txt"}));
}

TEST(Pack, DataSizeIsTheFileLength) {
    TempFolder folder;
    WriteFile(folder / "in/a.txt", Text(1000));
    const auto archive = folder / "mod.dat";
    ASSERT_EQ(RunTool({"pack", (folder / "in").string(), archive.string()}).ExitCode, 0);
    const auto bytes = ReadFile(archive);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(ReadInt32(bytes, bytes.size() - 4), static_cast<std::int32_t>(bytes.size()));
}

struct StorageCase {
    const char* Label;
    std::vector<std::string> Options;
    int ExpectedCompressed;
};

void PrintTo(const StorageCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class PackStorage : public ::testing::TestWithParam<StorageCase> {};

TEST_P(PackStorage, OptionsChooseHowMembersAreKept) {
    TempFolder folder;
    WriteFile(folder / "in/a.txt", Text(5000));
    const auto archive = folder / "mod.dat";
    std::vector<std::string> args = {"pack", (folder / "in").string(), archive.string()};
    args.insert(args.end(), GetParam().Options.begin(), GetParam().Options.end());
    ASSERT_EQ(RunTool(args).ExitCode, 0);
    const auto listed = ListArchive(archive);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Compressed, GetParam().ExpectedCompressed);
    const auto extract = RunTool({"extract", archive.string(), (folder / "out").string()});
    EXPECT_EQ(extract.ExitCode, 0);
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), Text(5000));
}

INSTANTIATE_TEST_SUITE_P(
    Options, PackStorage,
    ::testing::Values(StorageCase{"Default", {}, 1}, StorageCase{"Store", {"--store"}, 0},
                      // Level 0 streams are larger than the content, so the member is stored.
                      StorageCase{"LevelZero", {"--level", "0"}, 0},
                      StorageCase{"LevelNine", {"--level=9"}, 1}),
    [](const auto& testCase) { return std::string(testCase.param.Label); });

struct RefusalCase {
    const char* Label;
    std::vector<std::string> Paths;
    std::string Reason;
};

void PrintTo(const RefusalCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class PackRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PackRefusal, NothingIsWrittenAndAnArchiveAlreadyThereIsKept) {
    TempFolder folder;
    for (const std::string& path : GetParam().Paths) {
        WriteFile(folder.path() / DisplayToPath("in/" + path), Text(10));
    }
    const auto archive = folder / "mod.dat";
    WriteFile(archive, "old archive");
    const auto run = RunTool({"pack", (folder / "in").string(), archive.string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find(GetParam().Reason), std::string::npos) << run.Err;
    EXPECT_EQ(ReadFile(archive), Bytes("old archive"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PackRefusal,
    ::testing::Values(
        // No file of any system the game runs on takes a name that long.
        RefusalCase{"NameOf256Characters",
                    {"text/english/dialog/" + std::string(232, 'n') + ".msg"},
                    "longer than 255 characters (256)"},
        RefusalCase{"NamesDifferingOnlyInCase", {"Readme.txt", "README.TXT"}, "letter case"},
        RefusalCase{"BackslashInAFileName", {"a\\b.txt"}, "backslash"},
        RefusalCase{"NotWindows1252", {"\xE6\x97\xA5\xE6\x9C\xAC.txt"}, "Windows-1252"},
        RefusalCase{"DriveOrStream", {"c:x.txt"}, "drive"}),
    [](const auto& testCase) { return std::string(testCase.param.Label); });

// Guards against packing the archive being written into itself.
TEST(Pack, ArchiveInsideTheFolderIsLeftOut) {
    TempFolder folder;
    WriteFile(folder / "in/a.txt", Text(10));
    const auto archive = folder / "in/mod.dat";
    ASSERT_EQ(RunTool({"pack", (folder / "in").string(), archive.string()}).ExitCode, 0);
    ASSERT_EQ(RunTool({"pack", (folder / "in").string(), archive.string()}).ExitCode, 0);
    const auto listed = ListArchive(archive);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Name, "a.txt");
}

// Members are packed on several threads but must go out in directory order, each packed alike.
TEST(Pack, ArchiveIsTheSameWhateverTheNumberOfThreads) {
    TempFolder folder;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "in/f" + std::to_string(i % 4) + "/m" + std::to_string(i) + ".frm";
        auto content = i % 5 == 0 ? RandomBytes(static_cast<std::size_t>(i) * 97)
                                  : Text(static_cast<std::size_t>(i) * 331);
        WriteFile(folder / name, content);
    }
    std::vector<std::uint8_t> oneThread;
    for (const char* threads : {"1", "2", "7"}) {
        const auto archive = folder / (std::string("mod") + threads + ".dat");
        ASSERT_EQ(
            RunTool({"pack", (folder / "in").string(), archive.string(), "--threads", threads})
                .ExitCode,
            0);
        if (oneThread.empty()) {
            oneThread = ReadFile(archive);
        } else {
            EXPECT_EQ(ReadFile(archive), oneThread) << threads << " threads";
        }
    }
    EXPECT_EQ(RunTool({"verify", (folder / "mod7.dat").string()}).ExitCode, 0);
}

TEST(Pack, EmptyFolderGivesAnEmptyArchive) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "in");
    const auto archive = folder / "mod.dat";
    ASSERT_EQ(RunTool({"pack", (folder / "in").string(), archive.string()}).ExitCode, 0);
    EXPECT_TRUE(ListArchive(archive).empty());
    EXPECT_EQ(RunTool({"verify", archive.string()}).ExitCode, 0);
}

}  // namespace
}  // namespace vrel
