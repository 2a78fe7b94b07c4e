#pragma once

#include <string>
#include <vector>

#include "archive/Catalogue.h"
#include "config/ProgramSettings.h"

namespace vrel {

// What Vrel2 holds for as long as it runs. Made once at start and handed to every window; the
// settings windows see only its settings part.
struct ProgramState : ProgramSettings {
    FalloutDat_Collection FalloutDats;  // item k is row k of the mod list
    // The player's order of the mods after the patch (archive file names, UTF-8), as kept beside
    // vrel.cfg; mods it does not name follow in name order.
    std::vector<std::string> ModOrder;
    bool LoadingList = false;  // raised while start-up fills the mod list
    bool CancelPlay = false;   // set by the conflict window's Cancel
};

}  // namespace vrel
