#pragma once

#include <string>
#include <vector>

#include "base/PendingFile.h"
#include "platform/MessageBoxPort.h"
#include "state/ProgramState.h"

// What the main window does with the named mod sets (archive/ModSets.h). While a set is in use
// the set follows the list: every tick and move of the player is kept in it, as a profile is.
// Without one, the ticks are kept only when the player asked for them to come back.
namespace vrel {

// At start, after the list was read in the player's order: the set in use gives its ticks and
// order, else the remembered ticks come back; else the list stays as read (the patch alone ticked).
void ApplyStartTicks(ProgramState& state);

// After the list was read anew: a mod of the set in use that was missing and is back takes its
// place and tick in the set (the set holds the list's ticks and order besides).
void FollowSetInUse(ProgramState& state);

// After a tick or a move: the set in use, or the remembered ticks, follow the list.
Expected<void, PlaceFailure> KeepTicks(ProgramState& state);

// Saves the list's ticks and order as the set `name` (replacing the set of that name) and puts
// it in use.
Expected<void, PlaceFailure> SaveModSet(ProgramState& state, const std::string& name);

struct SwitchOutcome {
    std::vector<std::string> Missing;  // mods the set names that Patches does not hold
    Expected<void, PlaceFailure> Kept;
};
// Gives the list the set's order and ticks and puts the set in use; the set's mods that are
// missing stay in it for when they come back.
SwitchOutcome SwitchModSet(ProgramState& state, const std::string& name);

Expected<void, PlaceFailure> RenameModSet(ProgramState& state, const std::string& from,
                                          const std::string& to);
// The list stays as it is; with the set in use gone, no set is.
Expected<void, PlaceFailure> DeleteModSet(ProgramState& state, const std::string& name);

// Turns the remembering of the ticks without a set on or off.
Expected<void, PlaceFailure> SetRememberTicks(ProgramState& state, bool remember);

void ReportMissingSetMods(MessageBoxPort& messages, const std::string& set,
                          const std::vector<std::string>& missing);
// Tells the user that the mod sets hold only until Vrel closes.
void ReportSetsNotKept(MessageBoxPort& messages, const PlaceFailure& failure);

}  // namespace vrel
