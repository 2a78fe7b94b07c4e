#pragma once

#include <string_view>

#include "base/AsciiCase.h"

namespace vrel {

// The game's own patch, named as its installer names it: start-up moves it from the game folder
// into Patches, the mod list shows it first, and no mod brings it along.
inline constexpr const char* kGamePatchName = "Patch000.dat";

// Whether an archive's file name (display text) is the game's patch, in any letter case.
constexpr bool IsGamePatch(std::string_view fileName) {
    return SameNameIgnoringCase(fileName, kGamePatchName);
}

}  // namespace vrel
