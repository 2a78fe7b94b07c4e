#include "platform/win32/Win32Processes.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "TempFolder.h"

namespace vrel {
namespace {

namespace fs = std::filesystem;

bool WaitUntilEnded(Win32Processes& processes, ProcessId id) {
    for (int i = 0; i < 1000; ++i) {
        if (!processes.IsRunning(id)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The stand-in game in a game folder whose name needs quoting and the system's wide path forms.
class GameFolder : public ::testing::Test {
protected:
    void SetUp() override {
        game_ = folder_.path() / fs::path(L"Fallout 2 \u00dcber");
        fs::create_directories(game_ / "data");
        fs::copy_file(VREL_STANDIN_GAME, game_ / "Fallout2.exe");
    }
    void TearDown() override {
        _putenv_s("VREL_STANDIN_REPORT", "");
        _putenv_s("VREL_STANDIN_SECONDS", "");
        _putenv_s("VREL_STANDIN_EXIT", "");
    }

    testing::TempFolder folder_;
    fs::path game_;
};

struct ExitCase {
    const char* status;
    const char* why;
};

TEST_F(GameFolder, RunsTheGameInItsFolderUntilItEndsWhateverItsExitStatus) {
    const ExitCase cases[] = {
        {"0", "a clean end"},
        {"3", "an end with an error status"},
        // A game whose status is STILL_ACTIVE counts as running only while it can be opened.
        {"259", "the status that also means still running"},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.why);
        const fs::path report = folder_.path() / "report.txt";
        fs::remove(report);
        _putenv_s("VREL_STANDIN_REPORT", report.string().c_str());
        _putenv_s("VREL_STANDIN_SECONDS", "0.5");
        _putenv_s("VREL_STANDIN_EXIT", c.status);

        Win32Processes processes;
        const auto id = processes.Start(game_ / "Fallout2.exe", game_);
        ASSERT_TRUE(id);
        EXPECT_TRUE(processes.IsRunning(*id));
        EXPECT_TRUE(WaitUntilEnded(processes, *id));

        std::ifstream in(report);
        std::string line;
        std::getline(in, line);
        ASSERT_EQ(line.rfind("cwd\t", 0), 0u) << line;
        const std::string cwd = line.substr(4);
        EXPECT_TRUE(fs::equivalent(fs::path(std::u8string(cwd.begin(), cwd.end())), game_)) << line;
    }
}

TEST_F(GameFolder, AGameThatCannotStartGivesNoId) {
    Win32Processes processes;
    EXPECT_FALSE(processes.Start(game_ / "Missing.exe", game_));
    EXPECT_FALSE(processes.Start(game_ / "Fallout2.exe", game_ / "no such folder"));
}

TEST(Win32Processes, IdsOfNoProcessAreNotRunning) {
    Win32Processes processes;
    for (const ProcessId id : {ProcessId{0}, ProcessId{-1}, ProcessId{1} << 40}) {
        EXPECT_FALSE(processes.IsRunning(id)) << id;
    }
}

}  // namespace
}  // namespace vrel
