#include "state/ModListing.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;
using testing::WriteHiddenFile;

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
