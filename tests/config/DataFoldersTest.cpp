#include <gtest/gtest.h>

#include "TempFolder.h"
#include "config/DataFolders.h"

namespace vrel {
namespace {

using testing::TempFolder;

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

}  // namespace
}  // namespace vrel
