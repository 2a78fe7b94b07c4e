#pragma once

#include <filesystem>

#include "base/FileLock.h"
#include "platform/MessageBoxPort.h"

namespace vrel {

inline constexpr const char* kRestoreQuestionTitle = "Restore the game folder?";

enum class RestoreAnswer {
    NothingToRestore,  // no Play was left unfinished
    Restored,          // Yes: the game folder was put back (what could not be waits for later)
    Declined,          // No: everything stays
    PlayInProgress,    // another Vrel plays (or keeps the record): nothing was asked or touched
};

// At start, and before a Play: when a Play was cut short (Vrel was killed, crashed or lost power,
// or the emergency exit was used) and left mod files in the game folder, offers to put the game
// folder back. On No everything stays and the question comes again. It asks only while it holds
// the program folder's lock (`programLock`, or one it takes itself) and the recorded game folders'
// locks: while another Vrel plays, it says so and changes nothing.
RestoreAnswer OfferGameFolderRestore(const std::filesystem::path& programFolder,
                                     MessageBoxPort& messages,
                                     const FileLock* programLock = nullptr);

}  // namespace vrel
