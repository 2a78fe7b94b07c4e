#include "platform/posix/PosixProcesses.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "TempFolder.h"

namespace vrel {
namespace {

namespace fs = std::filesystem;

bool WaitUntilEnded(PosixProcesses& processes, ProcessId id) {
    for (int i = 0; i < 500; ++i) {
        if (!processes.IsRunning(id)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(PosixProcesses, RunsTheGameInItsFolderAndSeesItEnd) {
    testing::TempFolder folder;
    const fs::path game = folder / "game";
    fs::create_directories(game / "data");
    fs::copy_file(VREL_STANDIN_GAME, game / "Fallout2.exe");
    const fs::path report = folder / "report.txt";
    setenv("VREL_STANDIN_REPORT", report.c_str(), 1);
    setenv("VREL_STANDIN_SECONDS", "0.3", 1);
    setenv("VREL_STANDIN_EXIT", "3", 1);

    PosixProcesses processes;
    const auto id = processes.Start(game / "Fallout2.exe", game);
    unsetenv("VREL_STANDIN_REPORT");
    unsetenv("VREL_STANDIN_SECONDS");
    unsetenv("VREL_STANDIN_EXIT");
    ASSERT_TRUE(id);
    EXPECT_TRUE(processes.IsRunning(*id));
    EXPECT_TRUE(WaitUntilEnded(processes, *id));
    EXPECT_FALSE(processes.IsRunning(*id));  // reaped: an ended game never looks alive again

    std::ifstream in(report);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "cwd\t" + game.string());
    EXPECT_FALSE(processes.IsRunning(0));
}

TEST(PosixProcesses, WindowsProgramsNeedWine) {
    testing::TempFolder folder;
    testing::WriteFile(folder / "Fallout2.exe", "MZ\x90");
    testing::WriteFile(folder / "script", "#!/bin/sh\n");
    EXPECT_TRUE(IsWindowsProgram(folder / "Fallout2.exe"));
    EXPECT_FALSE(IsWindowsProgram(folder / "script"));
    EXPECT_FALSE(IsWindowsProgram(folder / "missing"));

    setenv("VREL_WINE", (folder / "no-such-wine").c_str(), 1);
    EXPECT_EQ(FindWine(), (folder / "no-such-wine").string());
    PosixProcesses processes;
    EXPECT_FALSE(processes.Start(folder / "Fallout2.exe", folder.path()));
    unsetenv("VREL_WINE");
}

}  // namespace
}  // namespace vrel
