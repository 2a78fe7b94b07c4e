#pragma once

#include <filesystem>
#include <optional>

#include "config/VrelCFG.h"
#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"

namespace vrel {

// The start of Vrel2, before any window: finds vrel.cfg in the program folder and reads it into
// `config`. Returns the window to open first, or nothing when the file is missing (the user has
// been told and the program ended).
std::optional<FirstWindow> Main(VrelCFG& config, const std::filesystem::path& programFolder,
                                MessageBoxPort& messages, LifetimePort& lifetime);

}  // namespace vrel
