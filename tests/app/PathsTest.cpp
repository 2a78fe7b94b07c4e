#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "TempFolder.h"
#include "app/CaseBlindPath.h"
#include "app/DataFolders.h"
#include "app/ModListing.h"
#include "app/PathHelpers.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;

// Writes a file that listings must leave out: on Windows with the given attribute, elsewhere
// under its name with a leading "." (the attribute has no counterpart there). Returns its path.
std::filesystem::path WriteHiddenFile(const std::filesystem::path& folder, const std::string& name,
                                      [[maybe_unused]] unsigned long attribute) {
#ifdef _WIN32
    const std::filesystem::path file = folder / name;
    WriteFile(file, "x");
    SetFileAttributesW(file.c_str(), attribute);
#else
    const std::filesystem::path file = folder / ("." + name);
    WriteFile(file, "x");
#endif
    return file;
}

TEST(PathHelpers, GetFileName) {
    EXPECT_EQ(GetFileName("a\\b\\c.map"), "c.map");
    EXPECT_EQ(GetFileName("c.map"), "c.map");
    EXPECT_EQ(GetFileName("a\\b\\"), "");
    EXPECT_EQ(GetFileName("/home/u/Patches/mod.dat"), "mod.dat");
}

TEST(PathHelpers, FileAndFolderExistCaseBlind) {
    TempFolder folder;
    WriteFile(folder / "Game" / "FALLOUT2.EXE", "MZ");
    const std::string game = (folder / "Game").string();
    EXPECT_TRUE(FileExists(game + "/Fallout2.exe"));
    EXPECT_TRUE(FileExists((folder / "game" / "fallout2.exe").string()));
    EXPECT_FALSE(FileExists(game));  // a folder is no file
    EXPECT_FALSE(FileExists(game + "/"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(game + "/missing.exe"));
    EXPECT_FALSE(FileExists(WriteHiddenFile(folder / "Game", "hidden.exe", 0x2).string()));
    EXPECT_FALSE(FileExists(WriteHiddenFile(folder / "Game", "system.exe", 0x4).string()));

    std::string asTyped = (folder / "GAME").string();
    EXPECT_TRUE(FolderExists(asTyped));
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    EXPECT_EQ(asTyped, (folder / "GAME").string() + separator);  // the caller's text gains one
    std::string missing = (folder / "nowhere").string();
    EXPECT_FALSE(FolderExists(missing));
}

#ifdef _WIN32
TEST(CaseBlindPath, TheFileSystemItselfMatchesAnyCase) {
    TempFolder folder;
    WriteFile(folder / "data" / "art" / "critters" / "X.FRM", "x");
    const auto asTyped = folder / "DATA" / "Art" / "Critters" / "x.frm";
    EXPECT_EQ(ResolveCaseBlind(asTyped), asTyped);
    EXPECT_TRUE(std::filesystem::is_regular_file(ResolveCaseBlind(asTyped)));
    EXPECT_EQ(FindEntryCaseBlind(folder / "data", "ART"), folder / "data" / "ART");
    EXPECT_FALSE(FindEntryCaseBlind(folder / "data", "maps"));
}
#else
TEST(CaseBlindPath, ExactNameWinsAndMissingPartsAreKept) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "data" / "art" / "critters");
    std::filesystem::create_directories(folder / "Data");
    EXPECT_EQ(ResolveCaseBlind(folder / "Data" / "ART" / "x.frm"),
              folder / "Data" / "ART" / "x.frm");
    EXPECT_EQ(ResolveCaseBlind(folder / "DATA" / "Art" / "Critters" / "X.FRM"),
              folder / "Data" / "Art" / "Critters" / "X.FRM");  // "Data" sorts first of the two
    std::filesystem::remove(folder / "Data");
    EXPECT_EQ(ResolveCaseBlind(folder / "DATA" / "Art" / "Critters" / "X.FRM"),
              folder / "data" / "art" / "critters" / "X.FRM");
}
#endif

TEST(DataFolders, CreatesTheWholeTreeOnceAndUsesAnExistingDataFolder) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "data");  // as a Linux install may have it
    CreateDataFolders(folder.path().string());
    // No second data folder beside the existing one, where names differ by case.
    std::vector<std::string> top;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        top.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(top, std::vector<std::string>{"data"});
    EXPECT_TRUE(std::filesystem::is_directory(folder / "data" / "proto" / "tiles" / "patterns"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "data" / "text" / "italian" / "game"));
    std::size_t count = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(folder.path());
         it != decltype(it)(); ++it) {
        ++count;
    }
    EXPECT_EQ(count, kDataFolderNames.size());
    CreateDataFolders(folder.path().string());  // a second call changes nothing
    std::size_t again = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(folder.path());
         it != decltype(it)(); ++it) {
        ++again;
    }
    EXPECT_EQ(again, count);
}

TEST(DataFolders, MissingOrEmptyRootCreatesNothing) {
    TempFolder folder;
    CreateDataFolders((folder / "no-such-game").string());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    CreateDataFolders("");
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(ModListing, ListsDatFilesInAnyCaseSortedCaseBlind) {
    TempFolder folder;
    for (const char* name : {"b.dat", "PATCH000.DAT", "a.DaT", "notes.txt", "C.dat"}) {
        WriteFile(folder / name, "x");
    }
    std::filesystem::create_directory(folder / "folder.dat");
    WriteHiddenFile(folder.path(), "_Mod.dat", 0x2);
    WriteHiddenFile(folder.path(), "d.dat", 0x4);
    EXPECT_EQ(ListDatFiles(folder.path()),
              (std::vector<std::string>{"a.DaT", "b.dat", "C.dat", "PATCH000.DAT"}));
    EXPECT_TRUE(ListDatFiles(folder / "missing").empty());
}

}  // namespace
}  // namespace vrel
