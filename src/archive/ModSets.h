#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/PendingFile.h"

// Named mod sets: the ticks and the order of the mods, saved under a name the player gives, so
// that several set-ups (a restoration for one playthrough, a total conversion for another) stay
// side by side. They are kept beside vrel.cfg in vrel-sets.txt, a small UTF-8 text file:
//
//     In use=Restoration
//     Remember ticks=1
//     Ticked=patch000.dat
//
//     [Restoration]
//     +patch000.dat
//     +RP.dat
//     -Sounds.dat
//
// Before the first set: the set in use, whether the last ticks come back at the next start
// without a set, and those ticks. Then each set, "[name]" and its mods in order, "+" before a
// ticked one and "-" before one left unticked. A file edited by hand is read as far as it is
// sound: an unknown or broken line is passed over, and nothing in it keeps Vrel from starting.
namespace vrel {

inline constexpr const char* kModSetsFile = "vrel-sets.txt";

struct ModSetMod {
    std::string Name;  // the archive's file name, UTF-8
    bool Ticked = false;
};

struct ModSet {
    std::string Name;
    std::vector<ModSetMod> Mods;  // in the player's order; the game's patch among them
};

struct ModSets {
    std::vector<ModSet> Sets;
    std::string InUse;  // the set whose ticks and order the list has, empty for none
    bool RememberTicks = false;
    std::vector<std::string> LastTicked;  // the ticks kept without a set, when remembered

    // The set of that name, compared exactly; nullptr for none.
    const ModSet* Find(std::string_view name) const;
    ModSet* Find(std::string_view name);
};

// The mods' names, in their order.
std::vector<std::string> ModSetNames(const std::vector<ModSetMod>& mods);

ModSets ParseModSets(std::string_view text);
std::string FormatModSets(const ModSets& sets);

// What the program folder's sets file holds; none when it is missing or cannot be read.
ModSets ReadModSets(const std::filesystem::path& programFolder);
Expected<void, PlaceFailure> SaveModSets(const std::filesystem::path& programFolder,
                                         const ModSets& sets);

// Whether `name` can name a set: not empty, on one line, without blanks at its ends and not
// made to look like a section of its own.
bool IsModSetName(std::string_view name);

}  // namespace vrel
