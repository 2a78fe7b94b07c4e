#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <thread>

#include "RunTool.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "archive/ModSource.h"
#ifdef VREL_TEST_PACKED
#include "PackedArchive.h"
#endif

namespace vrel {
namespace {

using testing::Bytes;
using testing::FolderContents;
using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

// A mod folder with one member, a setting for the game folder and a read-me.
std::filesystem::path MakeModFolder(const TempFolder& folder, const std::string& name) {
    const auto mod = folder / name;
    std::filesystem::create_directories(mod / "Data" / "art");
    WriteFile(mod / "Data" / "art" / "a.frm", "frame");
    WriteFile(mod / "ddraw.ini", "[Main]");
    WriteFile(mod / "readme.txt", "About the mod");
    return mod;
}

struct NameCase {
    const char* Label;
    std::vector<std::string> Extra;  // words after SOURCE PATCHES
    const char* Existing;            // a file already in Patches, or nullptr
    int ExitCode;
    std::vector<std::string> Patches;  // file names in Patches afterwards
    const char* Below = nullptr;       // the source is given as the mod folder / Below
};

void PrintTo(const NameCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class ImportNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ImportNames, WritesTheArchiveWhereAndOnlyWhenAsked) {
    const NameCase& param = GetParam();
    TempFolder folder;
    const auto mod = MakeModFolder(folder, "Better Den");
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);
    if (param.Existing) {
        WriteFile(patches / param.Existing, "old");
    }
    const std::string source = param.Below ? (mod / param.Below).string() : mod.string();
    std::vector<std::string> args = {"import", source, patches.string()};
    args.insert(args.end(), param.Extra.begin(), param.Extra.end());

    const auto run = RunTool(args);

    EXPECT_EQ(run.ExitCode, param.ExitCode) << run.Err;
    std::vector<std::string> names;
    for (const auto& [name, content] : FolderContents(patches)) {
        names.push_back(name);
        const bool written = content != Bytes("old");
        if (written) {
            EXPECT_EQ(RunTool({"verify", (patches / name).string()}).ExitCode, 0) << name;
        } else {
            EXPECT_NE(param.ExitCode, 0) << "an archive already there is kept unless replaced";
        }
    }
    EXPECT_EQ(names, param.Patches);
    if (param.ExitCode == 0) {
        EXPECT_NE(run.Out.find("left out: ddraw.ini (belongs in the game folder"),
                  std::string::npos)
            << run.Out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportNames,
    ::testing::Values(
        NameCase{"SourceName", {}, nullptr, 0, {"Better Den.dat"}},
        NameCase{"GivenName", {"--name", "den"}, nullptr, 0, {"den.dat"}},
        NameCase{"KeepsAnArchiveAlreadyThere", {}, "Better Den.dat", 1, {"Better Den.dat"}},
        // The Patches folder is read case-blind: the old file is the one replaced.
        NameCase{"ReplacesInAnyCase", {"--replace"}, "BETTER DEN.DAT", 0, {"BETTER DEN.DAT"}},
        NameCase{"NameWithAFolderIsAUsageError", {"--name", "x/y"}, nullptr, 2, {}},
        // Not hidden archives named "..dat" and "...dat".
        NameCase{"DotAsNameIsAUsageError", {"--name", "."}, nullptr, 2, {}},
        NameCase{"DotDotAsNameIsAUsageError", {"--name", ".."}, nullptr, 2, {}},
        NameCase{"DotAsSourceIsAUsageError", {}, nullptr, 2, {}, "."},
        NameCase{"DotDotAsSourceIsAUsageError", {}, nullptr, 2, {}, "Data/.."},
        NameCase{
            "DotAsSourceWithANameIsImported", {"--name", "den"}, nullptr, 0, {"den.dat"}, "."}),
    [](const ::testing::TestParamInfo<NameCase>& caseInfo) { return caseInfo.param.Label; });

// Two imports at once under one name, also in other letters: one wins, the other says so and
// writes nothing, and the archive in Patches is the winner's, whole.
TEST(Import, OfTwoImportsAtOnceUnderOneNameOneWinsWhole) {
    TempFolder folder;
    const std::filesystem::path mods[] = {MakeModFolder(folder, "Two"), folder / "Three"};
    for (const char* frame : {"b1.frm", "b2.frm", "b3.frm"}) {
        WriteFile(mods[1] / "data" / "art" / frame, frame);
    }
    const char* const members[] = {": 2 members", ": 3 members"};
    for (int round = 0; round < 12; ++round) {
        const auto patches = folder / ("Patches" + std::to_string(round));
        std::filesystem::create_directory(patches);
        const std::string names[] = {"Same", round % 2 == 0 ? "Same" : "same"};
        testing::ToolRun runs[2];
        std::thread other([&] {
            runs[1] = RunTool({"import", mods[1].string(), patches.string(), "--name", names[1]});
        });
        runs[0] = RunTool({"import", mods[0].string(), patches.string(), "--name", names[0]});
        other.join();
        ASSERT_EQ(runs[0].ExitCode + runs[1].ExitCode, 1) << runs[0].Err << runs[1].Err;
        const int winner = runs[0].ExitCode == 0 ? 0 : 1;
        const std::string& lost = runs[1 - winner].Err;
        EXPECT_TRUE(lost.find("this import wrote nothing") != std::string::npos ||
                    lost.find("already there") != std::string::npos)
            << lost;
        const auto files = FolderContents(patches);
        ASSERT_EQ(files.size(), 1u);
        const auto archive = patches / files[0].first;
        EXPECT_NE(runs[winner].Out.find(archive.string() + members[winner]), std::string::npos)
            << runs[winner].Out;
        EXPECT_EQ(RunTool({"verify", archive.string()}).ExitCode, 0);
        EXPECT_EQ(testing::Lines(RunTool({"list", archive.string()}).Out).size(),
                  static_cast<std::size_t>(2 + winner));
    }
}

#ifndef _WIN32
// The new archive is written beside its name; a link planted there leads nowhere.
TEST(Import, ALinkNamedLikeItsNewFileIsNeverFollowed) {
    TempFolder folder;
    const auto mod = MakeModFolder(folder, "Same");
    const auto patches = folder / "Patches";
    WriteFile(folder / "outside.txt", "keep");
    std::filesystem::create_directory(patches);
    std::filesystem::create_symlink(folder / "outside.txt", patches / "Same.dat.vrel-part");
    const auto run = RunTool({"import", mod.string(), patches.string()});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadFile(folder / "outside.txt"), Bytes("keep"));
    EXPECT_FALSE(std::filesystem::is_symlink(patches / "Same.dat"));
    EXPECT_EQ(RunTool({"verify", (patches / "Same.dat").string()}).ExitCode, 0);
}
#endif

// A file larger than a large member is packed and written as it is read, with the bar moving
// while it is, and comes back whole; one that does not pack is stored.
TEST(Import, LargeFilesArePackedAsTheyAreReadAndComeBackWhole) {
    TempFolder folder;
    const auto mod = folder / "Big";
    std::vector<std::uint8_t> text;
    while (text.size() < (9u << 20) + 123) {
        const std::string line = "Line " + std::to_string(text.size()) + " of the Den's script.\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    std::mt19937 generator(7);
    std::vector<std::uint8_t> noise((5u << 20) + 7);
    for (auto& byte : noise) {
        byte = static_cast<std::uint8_t>(generator());
    }
    WriteFile(mod / "data" / "text" / "big.msg", text);
    WriteFile(mod / "data" / "art" / "noise.frm", noise);
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);

    const auto run = RunTool({"import", mod.string(), patches.string(), "--threads", "2"}, true);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(std::regex_search(run.Err, std::regex("\\] [1-9][0-9]?% 0/2")))
        << "the bar stood still within a file";
    const auto archive = (patches / "Big.dat").string();
    EXPECT_EQ(RunTool({"verify", archive}).ExitCode, 0);
    const auto listed = RunTool({"list", archive}).Out;
    EXPECT_NE(listed.find("art\\noise.frm\t0\t"), std::string::npos) << listed;
    EXPECT_NE(listed.find("text\\big.msg\t1\t"), std::string::npos) << listed;
    const auto out = folder / "out";
    ASSERT_EQ(RunTool({"extract", archive, out.string()}).ExitCode, 0);
    EXPECT_EQ(FolderContents(out), (std::vector<std::pair<std::string, std::vector<std::uint8_t>>>{
                                       {"art/noise.frm", noise}, {"text/big.msg", text}}));
}

// A failure to write names the archive and the system's reason, never the source.
TEST(Import, AWriteFailureNamesTheArchiveAndTheReason) {
    TempFolder folder;
    const auto mod = MakeModFolder(folder, "Den");
    const std::string tooLong(300, 'n');
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);
    auto run = RunTool({"import", mod.string(), patches.string(), "--name", tooLong});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find((patches / tooLong).string() + ".dat: the archive cannot be written ("),
              std::string::npos)
        << run.Err;
#ifndef _WIN32
    EXPECT_NE(run.Err.find("(File name too long)"), std::string::npos) << run.Err;
#endif
    EXPECT_TRUE(std::filesystem::is_empty(patches));

    testing::SmallDisk disk(1 << 20, 16);
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    std::mt19937 generator(7);
    std::vector<std::uint8_t> noise(2 << 20);
    for (auto& byte : noise) {
        byte = static_cast<std::uint8_t>(generator());
    }
    WriteFile(mod / "Data" / "art" / "big.frm", noise);
    run = RunTool({"import", mod.string(), disk.path().string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find((disk / "Den.dat").string() +
                           ": the archive cannot be written (No space left on device)"),
              std::string::npos)
        << run.Err;
    EXPECT_TRUE(std::filesystem::is_empty(disk.path()));
}

#ifdef VREL_TEST_PACKED
TEST(Import, DamagedZipIsReportedAndNothingIsWritten) {
    TempFolder folder;
    const auto zip = folder / "mod.zip";
    std::vector<std::uint8_t> frame(100'000);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i * i % 251);
    }
    testing::WritePackedArchive(zip, testing::PackedFormat::Zip, {{"data/art/a.frm", frame}});
    std::filesystem::resize_file(zip, std::filesystem::file_size(zip) / 2);
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);

    const auto run = RunTool({"import", zip.string(), patches.string()});

    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("is damaged"), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_empty(patches));
}
#endif

}  // namespace
}  // namespace vrel
