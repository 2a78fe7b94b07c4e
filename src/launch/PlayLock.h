#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/FileLock.h"
#include "platform/MessageBoxPort.h"

namespace vrel {

// One Play (or restore) at a time per program folder and per game folder, across every running
// Vrel: a lock beside the play record, taken for as long as a Vrel keeps that record open, and
// one in the game folder, taken for a Play or a restore. The system lets go of both when Vrel
// ends in any way.
inline constexpr const char* kProgramLockName = "vrel-play.lock";
inline constexpr const char* kGameLockName = ".vrel-play.lock";

// Takes the program folder's lock. Nothing when it cannot be made (a read-only folder, where no
// record can be written either); a message about the Vrel that holds it when that one is busy, as
// shown by `ShowPlayInProgress`.
struct ProgramLock {
    std::optional<FileLock> Lock;
    bool Held = false;  // another Vrel holds it
};
ProgramLock LockProgramFolder(const std::filesystem::path& programFolder);

// Takes the locks of the game folders; false (nothing taken) when another Vrel holds one, whose
// folder is then `busy`. A folder where no lock can be made is passed over: nothing can be
// written there.
bool LockGameFolders(const std::vector<std::filesystem::path>& gameFolders,
                     std::vector<FileLock>& locks, std::filesystem::path& busy);

// Tells the player that another Vrel plays in the game folder, or keeps the record of this
// program folder open.
void ShowPlayInProgress(MessageBoxPort& messages, const std::filesystem::path& gameFolder,
                        bool gameFolderBusy);

}  // namespace vrel
