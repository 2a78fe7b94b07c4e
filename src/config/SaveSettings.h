#pragma once

#include <filesystem>
#include <string>

#include "config/VrelCFG.h"
#include "platform/MessageBoxPort.h"

namespace vrel {

// Rewrites vrel.cfg in the program folder from `config`.
Expected<void, SaveFailure> SaveSettings(const VrelCFG& config,
                                         const std::filesystem::path& programFolder);

// Why vrel.cfg could not be saved, as the settings windows show it.
std::string DescribeSaveFailure(const SaveFailure& failure);

// The program folder as vrel.cfg keeps it.
std::string AppPathText(const std::filesystem::path& programFolder);

// What a settings window offers when vrel.cfg cannot be written: Options stays open to try again;
// the first run may also go on with the settings for this run only.
enum class UnsavedChoice { TryAgain, GoOnOrTryAgain };

// The steps both settings windows save with: `chosen` (the window's settings) takes the game folder
// (display text), the program folder and no skins, and is written to vrel.cfg. A game folder whose
// name does not fit vrel.cfg's encoding is refused with a message and nothing is saved; a file that
// cannot be written is told to the user with `choice`. True when `config` took `chosen`: it was
// saved, or the user went on without it.
bool SaveChosenSettings(VrelCFG& config, VrelCFG chosen, std::string_view gameFolder,
                        const std::filesystem::path& programFolder, UnsavedChoice choice,
                        MessageBoxPort& messages);

// A game folder (display text) whose name vrel.cfg's encoding cannot hold (on Windows, the system's
// code page) is refused with a message, instead of being saved with '?' in it. True when it may be
// saved.
bool GameFolderFitsSettings(std::string_view gameFolder, MessageBoxPort& messages);

}  // namespace vrel
