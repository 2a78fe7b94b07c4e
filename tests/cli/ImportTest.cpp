#include <gtest/gtest.h>

#include "DatImage.h"
#include "RunTool.h"
#include "TempFolder.h"
#include "archive/ModSource.h"
#include "base/AnsiText.h"
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
    std::vector<std::string> args = {"import", mod.string(), patches.string()};
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
        NameCase{"ReplacesInAnyCaseBeyondAscii",
                 {"--name", "\u00FCber", "--replace"},
                 "\u00DCber.dat",
                 0,
                 {"\u00DCber.dat"}},
        NameCase{"NameWithAFolderIsAUsageError", {"--name", "x/y"}, nullptr, 2, {}}),
    [](const ::testing::TestParamInfo<NameCase>& caseInfo) { return caseInfo.param.Label; });

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
                                 {"Mod/Extra.dat", Bytes("mod")}});
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
          "left out: Mod/sfall.dat (belongs in the game folder, beside Fallout2.exe)"}) {
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\n" << run.Out;
    }
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
