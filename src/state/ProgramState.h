#pragma once

#include "config/ProgramSettings.h"
#include "state/ModList.h"

namespace vrel {

// What Vrel2 holds for as long as it runs. Made once at start and handed to every window; the
// settings windows see only its settings part.
struct ProgramState : ProgramSettings {
    ModList Mods;             // the mod list: its rows, catalogue items, ticks and order
    ModSets Sets;             // the named mod sets, the one in use, the ticks kept without one
    bool CancelPlay = false;  // set by the conflict window's Cancel
};

}  // namespace vrel
