#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <thread>

#include "DatImage.h"
#include "RunTool.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "archive/ModSource.h"
#include "base/AnsiText.h"
#include "base/NameCase.h"
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
    const char* Err = "";              // a text that stderr holds
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
        WriteFile(patches / DisplayToPath(param.Existing), "old");
    }
    const std::string source = param.Below ? (mod / param.Below).string() : mod.string();
    std::vector<std::string> args = {"import", source, patches.string()};
    args.insert(args.end(), param.Extra.begin(), param.Extra.end());

    const auto run = RunTool(args);

    EXPECT_EQ(run.ExitCode, param.ExitCode) << run.Err;
    EXPECT_NE(run.Err.find(param.Err), std::string::npos) << run.Err;
    std::vector<std::string> names;
    for (const auto& [name, content] : FolderContents(patches)) {
        names.push_back(name);
        const bool written = content != Bytes("old");
        if (written) {
            EXPECT_EQ(RunTool({"verify", (patches / DisplayToPath(name)).string()}).ExitCode, 0)
                << name;
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
        NameCase{"FindsAnArchiveAlreadyThereInOtherLetters",
                 {},
                 "BETTER DEN.DAT",
                 1,
                 {"BETTER DEN.DAT"},
                 nullptr,
                 "BETTER DEN.DAT: already there"},
        // The Patches folder is read case-blind: the old file is the one replaced.
        NameCase{"ReplacesInAnyCase", {"--replace"}, "BETTER DEN.DAT", 0, {"BETTER DEN.DAT"}},
        NameCase{"ReplacesInAnyCaseBeyondAscii",
                 {"--name", "\u00FCber", "--replace"},
                 "\u00DCber.dat",
                 0,
                 {"\u00DCber.dat"}},
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

// Two imports at once that both replace, under one name in other letters: one mod is left, as
// the game sees one, whole, and each run names it as Patches spells it.
TEST(Import, OfTwoReplacingImportsAtOnceInOtherLettersOneModIsLeft) {
    TempFolder folder;
    const std::filesystem::path mods[] = {MakeModFolder(folder, "Two"), folder / "Three"};
    for (const char* frame : {"b1.frm", "b2.frm", "b3.frm"}) {
        WriteFile(mods[1] / "data" / "art" / frame, frame);
    }
    for (int round = 0; round < 12; ++round) {
        const auto patches = folder / ("Patches" + std::to_string(round));
        std::filesystem::create_directory(patches);
        testing::ToolRun runs[2];
        std::thread other([&] {
            runs[1] = RunTool(
                {"import", mods[1].string(), patches.string(), "--name", "same", "--replace"});
        });
        runs[0] =
            RunTool({"import", mods[0].string(), patches.string(), "--name", "Same", "--replace"});
        other.join();
        EXPECT_EQ(runs[0].ExitCode, 0) << runs[0].Err;
        EXPECT_EQ(runs[1].ExitCode, 0) << runs[1].Err;
        const auto files = FolderContents(patches);
        ASSERT_EQ(files.size(), 1u);
        const auto archive = patches / files[0].first;
        for (const auto& run : runs) {
            const std::string named = run.Out.substr(0, run.Out.find(": "));
#ifdef _WIN32
            // Windows keeps whichever spelling it keeps; the name is one file all the same.
            EXPECT_TRUE(testing::SameFileName(named, archive.string())) << run.Out;
#else
            EXPECT_EQ(named, archive.string()) << run.Out;
#endif
        }
        EXPECT_EQ(RunTool({"verify", archive.string()}).ExitCode, 0);
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

// Messages before anything is read name the real reason.
TEST(Import, MissingPatchesAndATarGzAreNamedAsWhatTheyAre) {
    TempFolder folder;
    const auto mod = MakeModFolder(folder, "Better Den");
    const auto missing = RunTool({"import", mod.string(), (folder / "Patches").string()});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Err.find("Patches: no such folder"), std::string::npos) << missing.Err;

    std::filesystem::create_directory(folder / "Patches");
    WriteFile(folder / "real.tar.gz", "not a zip");
    const auto tar =
        RunTool({"import", (folder / "real.tar.gz").string(), (folder / "Patches").string()});
    EXPECT_EQ(tar.ExitCode, 1);
    EXPECT_NE(tar.Err.find("(unpack this .gz and add the folder)"), std::string::npos) << tar.Err;
    EXPECT_EQ(tar.Err.find("real.tar.gz.dat"), std::string::npos) << tar.Err;
    EXPECT_TRUE(std::filesystem::is_empty(folder / "Patches"));
}

#ifdef VREL_TEST_PACKED
struct RefusalCase {
    const char* Label;
    std::vector<testing::RawZipEntry> Entries;
    std::string Message;  // on stderr
};

void PrintTo(const RefusalCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class ImportRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ImportRefusal, NamesTheEntryAndTheReasonAndWritesNothing) {
    TempFolder folder;
    const auto zip = folder / "Mod.zip";
    testing::WriteRawZip(zip, GetParam().Entries);
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);

    const auto run = RunTool({"import", zip.string(), patches.string()});

    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find(GetParam().Message), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_empty(patches));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportRefusal,
    ::testing::Values(
        RefusalCase{"EmptyDataFolder",
                    {{"Mod/data/", false, {}}, {"Mod/readme.txt", false, Bytes("Read")}},
                    "its data folder holds no files (Mod/data)"},
        RefusalCase{"TwoLanguages",
                    {{"English/data/text/a.msg", false, Bytes("{1}{}{A}")},
                     {"Russian/data/text/a.msg", false, Bytes("{1}{}{A}")}},
                    "holds more than one mod; add the folder of the one you want (English/data, "
                    "Russian/data)"},
        RefusalCase{"ZipInsideTheZip",
                    {{"Mod/Mod.zip", false, Bytes("PK")}, {"Mod/readme.txt", false, Bytes("R")}},
                    "(Mod/Mod.zip is an archive of its own; unpack it and add what it holds)"},
        RefusalCase{"EncryptedEntry",
                    {{"data/art/a.frm", false, Bytes("secret"), 1}},
                    "data/art/a.frm: is encrypted; unpack it with its password"},
        RefusalCase{
            "ExactDuplicate",
            {{"data/art/a.frm", false, Bytes("one")}, {"data/art/a.frm", false, Bytes("two")}},
            "data/art/a.frm: is in the source twice"},
        RefusalCase{"FileAndFolderOfOneName",
                    {{"data/scripts", false, Bytes("file")},
                     {"data/scripts/a.int", false, Bytes("script")}},
                    "data/scripts: is a file, and a folder of data/scripts/a.int"},
        RefusalCase{
            "MemberOver2GiB",
            {{"data/art/big.frm", false, Bytes("x"), 0, std::int64_t{3} << 30}},
            "data/art/big.frm: larger than 2 GiB, more than a member of a DAT archive holds"},
        RefusalCase{
            "GameArchiveInCapitals",
            {{"Mod/MASTER.DAT", false, BuildDatImage({})}, {"Mod/readme.txt", false, Bytes("R")}},
            "(Mod/MASTER.DAT is the game's own archive, not a mod)"},
        // Exactly one finding: FilesTotal says one entry where the directory holds two.
        RefusalCase{"DatWithOneDefectInside",
                    {{"Mod/Bad.dat", false,
                      BuildDatImage({{.Name = "a.txt", .Content = Bytes("a")},
                                     {.Name = "b.txt", .Content = Bytes("b")}},
                                    {.FilesTotal = 1})}},
                    "(Mod/Bad.dat: FilesTotal does not match"},
        RefusalCase{"DamagedDatInside",
                    {{"Mod/Bad.dat", false, Bytes("not an archive at all")},
                     {"Mod/readme.txt", false, Bytes("R")}},
                    "holds a mod archive that is damaged (Mod/Bad.dat: "}),
    [](const ::testing::TestParamInfo<RefusalCase>& caseInfo) { return caseInfo.param.Label; });

// The commonest download: a mod's .dat beside its read-me, in a folder inside the zip.
TEST(Import, DatInsideAZipIsCopiedUnderItsOwnName) {
    TempFolder folder;
    const auto dat = BuildDatImage({{.Name = "art\\a.frm", .Content = Bytes("frame")}});
    const auto zip = folder / "Better Den 1.2.zip";
    testing::WritePackedArchive(zip, testing::PackedFormat::Zip,
                                {{"Better Den/BetterDen.dat", dat},
                                 {"Better Den/readme.txt", Bytes("About")},
                                 {"Better Den/patch000.dat", BuildDatImage({})}});
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);

    const auto run = RunTool({"import", zip.string(), patches.string()});

    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    const auto contents = FolderContents(patches);
    ASSERT_EQ(contents.size(), 1u);
    EXPECT_EQ(contents[0].first, "BetterDen.dat");
    EXPECT_EQ(contents[0].second, dat);
    EXPECT_NE(run.Out.find("BetterDen.dat: 1 member\n"), std::string::npos) << run.Out;
    EXPECT_NE(
        run.Out.find("left out: Better Den/patch000.dat (is the game's own archive, not a mod)"),
        std::string::npos)
        << run.Out;

    // A .dat given by itself is added as a drop adds it, whatever its name: checked and copied.
    WriteFile(folder / "patch000.dat", dat);
    const auto alone = RunTool({"import", (folder / "patch000.dat").string(), patches.string()});
    EXPECT_EQ(alone.ExitCode, 0) << alone.Err;
    EXPECT_EQ(ReadFile(patches / "patch000.dat"), dat);
}

// Each file left out says where it belongs instead.
TEST(Import, LeftOutFilesAreListedWithWhereTheyBelong) {
    TempFolder folder;
    const auto zip = folder / "Mod.zip";
    testing::WritePackedArchive(zip, testing::PackedFormat::Zip,
                                {{"Mod/data/art/a.frm", Bytes("frame")},
                                 {"Mod/art/b.frm", Bytes("frame")},
                                 {"Mod/mods/gl_mod.dat", Bytes("sfall")},
                                 {"Mod/sfall.dat", Bytes("sfall")},
                                 {"Mod/patch000.dat", Bytes("game")},
                                 {"Mod/Other.zip", Bytes("PK")},
                                 {"Mod/Extra.dat", Bytes("mod")},
                                 {"Mod/f2_res.dat", Bytes("hi-res")},
                                 {"Mod/sfall_ru.dat", Bytes("sfall")},
                                 {"Mod/Appearance/hmr0100.dat", Bytes("looks")},
                                 {"Mod/mods/gl_mod.int", Bytes("script")},
                                 {"Mod/config/sfall.ini", Bytes("[Main]")},
                                 {"Mod/Fallout2.exe", Bytes("MZ")},
                                 {"__MACOSX/Mod/._Extra.dat", Bytes("fork")}});
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);

    const auto run = RunTool({"import", zip.string(), patches.string()});

    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    for (const char* line :
         {"left out: Mod/Extra.dat (is a mod of its own; add it by itself)",
          "left out: Mod/Other.zip (is an archive of its own; unpack it and add what it holds)",
          "left out: Mod/art/b.frm (lies beside the mod's data folder, and only the data folder "
          "is taken)",
          "left out: Mod/mods/gl_mod.dat (belongs in sfall's mods folder, in the game folder)",
          "left out: Mod/patch000.dat (is the game's own archive, not a mod)",
          "left out: Mod/sfall.dat (belongs in the game folder, beside Fallout2.exe)",
          "left out: Mod/f2_res.dat (belongs in the game folder, beside Fallout2.exe)",
          "left out: Mod/sfall_ru.dat (belongs in the game folder, beside Fallout2.exe)",
          "left out: Mod/Appearance/hmr0100.dat (belongs in the appearance folder of the game",
          "left out: Mod/mods/gl_mod.int (belongs in sfall's mods folder, in the game folder)",
          "left out: Mod/config/sfall.ini (belongs in the config folder of the game folder)",
          "left out: Mod/Fallout2.exe (is the game's program, in the game folder)"}) {
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\n" << run.Out;
    }
    EXPECT_EQ(run.Out.find("__MACOSX"), std::string::npos) << run.Out;
}

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
