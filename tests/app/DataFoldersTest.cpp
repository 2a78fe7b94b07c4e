#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/DataFolders.h"
#include "app/ModListing.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;
using testing::WriteHiddenFile;

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
              (std::vector<std::filesystem::path>{"a.DaT", "b.dat", "C.dat", "PATCH000.DAT"}));
    EXPECT_TRUE(ListDatFiles(folder / "missing").empty());
}

}  // namespace
}  // namespace vrel
