#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "config/VrelCFG.h"
#include "platform/MessageBoxPort.h"

// What the first-run window does, apart from showing itself.
namespace vrel {

// "Vrel v" with the program's major and minor version: "Vrel v2.0".
std::string FirstRunCaption();

// Continue: stores the defaults and writes vrel.cfg. When the file cannot be written the user is
// told and chooses: true to go on with the settings for this run only, false to stay in the
// window (the settings in memory stay as they were). A game folder whose name does not fit
// vrel.cfg's encoding is refused with a message, and nothing is saved.
bool SaveFirstRunSettings(VrelCFG& config, const std::filesystem::path& programFolder,
                          std::string_view gameFolder, MessageBoxPort& messages);

}  // namespace vrel
