#pragma once

#include <filesystem>
#include <string>

#include "platform/MessageBoxPort.h"
#include "platform/ShellPort.h"
#include "state/ProgramState.h"

namespace vrel {

// The folder beside Patches that removed mods go into where the system has no trash.
inline constexpr const char* kRemovedFolder = "Removed";

// "Remove mod": asks, then moves the archive of `row` (counted from 1) to the system's trash, or
// where there is none into the Removed folder beside Patches, and says so. An archive is never
// deleted outright, and the game's patch is not removed. True when the archive left Patches.
bool RemoveMod(const ProgramState& state, int row, MessageBoxPort& messages, ShellPort& shell);

// Whether the mod of `row` may be removed: any row but the game's patch.
bool CanRemoveMod(const ProgramState& state, int row);

}  // namespace vrel
