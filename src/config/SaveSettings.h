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

// A game folder (display text) whose name vrel.cfg's encoding cannot hold (on Windows, the system's
// code page) is refused with a message, instead of being saved with '?' in it. True when it may be
// saved.
bool GameFolderFitsSettings(std::string_view gameFolder, MessageBoxPort& messages);

}  // namespace vrel
