#include "launch/PlayLock.h"

#include <algorithm>

#include "base/AnsiText.h"

namespace vrel {

ProgramLock LockProgramFolder(const std::filesystem::path& programFolder) {
    auto taken = FileLock::Take(programFolder / kProgramLockName);
    if (taken) {
        return {std::move(*taken), false};
    }
    return {std::nullopt, taken.error().Kind == LockProblem::Held};
}

bool LockGameFolders(const std::vector<std::filesystem::path>& gameFolders,
                     std::vector<FileLock>& locks, std::filesystem::path& busy) {
    std::vector<FileLock> taken;
    std::vector<std::filesystem::path> seen;
    for (const auto& folder : gameFolders) {
        // Each once: a second lock of this process on the same file would find it held.
        if (folder.empty() || std::find(seen.begin(), seen.end(), folder) != seen.end()) {
            continue;
        }
        seen.push_back(folder);
        auto lock = FileLock::Take(folder / kGameLockName);
        if (lock) {
            taken.push_back(std::move(*lock));
        } else if (lock.error().Kind == LockProblem::Held) {
            busy = folder;
            return false;
        }
    }
    for (auto& lock : taken) {
        locks.push_back(std::move(lock));
    }
    return true;
}

void ShowPlayInProgress(MessageBoxPort& messages, const std::filesystem::path& gameFolder,
                        bool gameFolderBusy) {
    const std::string text =
        gameFolderBusy
            ? "Fallout 2 is being played from " + PathToDisplay(gameFolder) +
                  "; wait until it ends.\r\rAnother Vrel started that game and puts the game folder back when it ends, so I leave the folder alone until then."
            : "Another Vrel started from this folder is still open and keeps the record of the last game in " +
                  PathToDisplay(gameFolder) + ".\r\rClose it first, then start me again.";
    messages.Show({.text = text,
                   .title = "Vrel",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Exclamation});
}

}  // namespace vrel
