#pragma once

#include <string>
#include <vector>

#include "base/FileLock.h"
#include "launch/PlayRecord.h"
#include "launch/UnpackJournal.h"
#include "platform/Ports.h"
#include "platform/ProgressPort.h"
#include "state/ProgramState.h"

namespace vrel {

// The windows that Play shows or hides; each Show runs modally and returns when its window closes.
class PlayScreens {
public:
    virtual ~PlayScreens() = default;
    virtual void SetMainWindowVisible(bool visible) = 0;
    // The conflict window; its Cancel sets ProgramState::CancelPlay.
    virtual void ShowConflictCheck() = 0;
    // The waiting window: starts `gameProgram` in its folder and returns once it has ended.
    virtual void ShowWaitingWindow(const std::filesystem::path& gameProgram) = 0;
};

// What the Play button does: checks the game, runs the conflict check when asked, unpacks the
// ticked mods into the game folder, lets the game run and removes the unpacked files afterwards.
class PlayPipeline {
public:
    PlayPipeline(ProgramState& state, Ports& ports, ProgressPort& progress, PlayScreens& screens);

    void cmdPlay_Click();

    // What this Play changed in the game folder; emptied by each clean-up.
    const UnpackJournal& Journal() const { return journal_; }

private:
    void Play();
    bool Unpack(const std::filesystem::path& game);
    // `gameRan`: the windows say the game has finished only after a game.
    void CleanUp(bool gameRan);

    ProgramState& state_;
    Ports& ports_;
    ProgressPort& progress_;
    PlayScreens& screens_;
    UnpackJournal journal_;
    std::optional<PlayRecord> record_;     // kept while unpacked files stand in the game folder
    std::optional<FileLock> programLock_;  // held while a Play runs or the record is kept
    std::vector<FileLock> gameLock_;       // held while a Play runs
};

}  // namespace vrel
