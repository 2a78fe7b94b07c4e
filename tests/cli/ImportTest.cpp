#include <gtest/gtest.h>

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
        // The Patches folder is read case-blind: the old file is the one replaced.
        NameCase{"ReplacesInAnyCase", {"--replace"}, "BETTER DEN.DAT", 0, {"BETTER DEN.DAT"}},
        NameCase{"ReplacesInAnyCaseBeyondAscii",
                 {"--name", "\u00FCber", "--replace"},
                 "\u00DCber.dat",
                 0,
                 {"\u00DCber.dat"}},
        NameCase{"NameWithAFolderIsAUsageError", {"--name", "x/y"}, nullptr, 2, {}}),
    [](const ::testing::TestParamInfo<NameCase>& caseInfo) { return caseInfo.param.Label; });

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
