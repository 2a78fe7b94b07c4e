#include "platform/qt/QtShell.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "TempFolder.h"

namespace vrel {
namespace {

// A mod the player removes is in the trash or where it was, never gone: whatever the system's trash
// does (Windows' recycle bin, the desktop's trash on Linux, none under some Wine set-ups).
TEST(QtShell, AFileLeavesItsPlaceOnlyForTheTrash) {
    const testing::TempFolder folder;
#ifndef _WIN32
    // The desktop's trash of this test, not the user's own.
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
#endif
    const std::filesystem::path archive = folder.path() / std::filesystem::path(u8"Мод Über.dat");
    testing::WriteFile(archive, "mod bytes");
    QtShell shell;
    if (!shell.MoveToTrash(archive)) {
        EXPECT_EQ(testing::ReadFile(archive), testing::Bytes("mod bytes"));
        GTEST_SKIP() << "this system has no trash";
    }
    EXPECT_FALSE(std::filesystem::exists(archive));
#ifndef _WIN32
    EXPECT_EQ(testing::ReadFile(folder / "data" / "Trash" / "files" / archive.filename()),
              testing::Bytes("mod bytes"));
#endif
}

}  // namespace
}  // namespace vrel
