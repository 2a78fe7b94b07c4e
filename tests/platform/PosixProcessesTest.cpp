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

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(PosixProcesses, WindowsProgramsRunThroughWine) {
    testing::TempFolder folder;
    const fs::path ran = folder / "ran.txt";
    const auto writeScript = [](const fs::path& file, const std::string& text) {
        testing::WriteFile(file, "#!/bin/sh\n" + text + "\n");
        fs::permissions(file, fs::perms::owner_all);
    };
    testing::WriteFile(folder / "Fallout2.exe", "MZ\x90");
    writeScript(folder / "wine", "printf '%s\\n' \"$1\" > '" + ran.string() + "'");
    writeScript(folder / "script", "echo itself > '" + ran.string() + "'");
    setenv("VREL_WINE", (folder / "wine").c_str(), 1);
    PosixProcesses processes;

    const auto windows = processes.Start(folder / "Fallout2.exe", folder.path());
    ASSERT_TRUE(windows) << windows.error().Error.message();
    ASSERT_TRUE(WaitUntilEnded(processes, *windows));
    EXPECT_EQ(ReadLine(ran), (folder / "Fallout2.exe").string());

    const auto own = processes.Start(folder / "script", folder.path());
    ASSERT_TRUE(own) << own.error().Error.message();
    ASSERT_TRUE(WaitUntilEnded(processes, *own));
    EXPECT_EQ(ReadLine(ran), "itself") << "a program without the MZ mark runs as it is";

    EXPECT_FALSE(processes.Start(folder / "missing", folder.path()));
    setenv("VREL_WINE", (folder / "no-such-wine").c_str(), 1);
    EXPECT_FALSE(processes.Start(folder / "Fallout2.exe", folder.path()));
    unsetenv("VREL_WINE");
}

}  // namespace
}  // namespace vrel
