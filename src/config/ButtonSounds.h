#pragma once

#include <filesystem>

#include "config/VrelCFG.h"
#include "platform/SoundPort.h"

namespace vrel {

// The click and the hover-and-tick sounds, played from the program folder (found in any spelling,
// as every program file) only while the setting Sound is on. The setting is read at every call,
// so a change in Options takes effect at once.
void PlayClickSound(const VrelCFG& config, SoundPort& sounds,
                    const std::filesystem::path& programFolder);
void PlayHoverSound(const VrelCFG& config, SoundPort& sounds,
                    const std::filesystem::path& programFolder);

}  // namespace vrel
