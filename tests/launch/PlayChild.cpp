// Runs one Play headless with the real pipeline and the stand-in game, and kills itself with
// SIGKILL at a chosen point, as a crash or a killed program would stop it.
// Usage: play_child PROGRAM_FOLDER GAME_FOLDER KILL_POINT
//   KILL_POINT: call:N (before its N-th call that changes a file), restore:N (a restore answered
//   Yes, killed before its N-th such call), game (once the game has run), clean (as any clean-up
//   starts, also that of a Play that failed), hold (while the game runs, until the file
//   PROGRAM_FOLDER/holding that it makes is removed), never.
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "Fakes.h"
#include "ModListBuilder.h"
#include "launch/PlayPipeline.h"
#include "launch/Recovery.h"
#include "platform/posix/PosixProcesses.h"

extern std::atomic<int> KillBeforeFileCall;  // see KillBeforeFileCalls.cpp

namespace {

struct KillPoint {
    std::string phase;
    int at = 0;
};

class KillingProgress final : public vrel::ProgressPort {
public:
    explicit KillingProgress(KillPoint point) : point_(std::move(point)) {}
    void Show() override {}
    void Hide() override {}
    void SetCaption(const std::string&) override {}
    void SetLabel(const std::string& label) override {
        if (point_.phase == "clean" && label == "Deleting DATA files...") {
            raise(SIGKILL);
        }
    }
    void SetValue(int) override {}
    void SetMaximum(int) override {}
    void Repaint() override {}
    void RepaintLabel() override {}

private:
    KillPoint point_;
};

class HeadlessScreens final : public vrel::PlayScreens {
public:
    HeadlessScreens(std::filesystem::path program, std::filesystem::path game, std::string point)
        : program_(std::move(program)), game_(std::move(game)), point_(std::move(point)) {}
    void SetMainWindowVisible(bool) override {}
    void ShowConflictCheck() override {}
    void ShowWaitingWindow(const std::filesystem::path& gameProgram) override {
        vrel::PosixProcesses processes;
        const auto id = processes.Start(gameProgram, game_);
        if (point_ == "game") {
            // Once the game has ended: a game just started still holds copies of Vrel's open
            // files (its locks too) until the system has closed them for it.
            while (id && processes.IsRunning(*id)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            raise(SIGKILL);
        }
        if (point_ == "hold") {
            std::ofstream(program_ / "holding").put('1');
            while (std::filesystem::exists(program_ / "holding")) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        while (id && processes.IsRunning(*id)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

private:
    std::filesystem::path program_, game_;
    std::string point_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: play_child PROGRAM_FOLDER GAME_FOLDER KILL_POINT\n";
        return 2;
    }
    const std::string pointText = argv[3];
    const auto colon = pointText.find(':');
    const KillPoint point{pointText.substr(0, colon),
                          colon == std::string::npos ? 0 : std::atoi(argv[3] + colon + 1)};

    vrel::ProgramState state;
    state.ProgramFolder = argv[1];
    state.Config.cfgPath.Fallout2 = argv[2];
    state.Config.cfgGeneral = {.DeleteDataFiles = true};
    vrel::testing::TickEveryArchive(state);
    vrel::testing::FakePorts fakes;
    vrel::Ports& ports = fakes.ports;
    KillingProgress progress(point);
    HeadlessScreens screens(state.ProgramFolder, argv[2], point.phase);
    if (point.phase == "call" || point.phase == "restore") {
        KillBeforeFileCall = point.at;
    }
    if (point.phase == "restore") {
        vrel::OfferGameFolderRestore(state.ProgramFolder, fakes.messages);
        return 0;
    }
    vrel::PlayPipeline pipeline(state, ports, progress, screens);
    pipeline.cmdPlay_Click();
    return 0;
}
