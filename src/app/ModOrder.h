#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/PendingFile.h"
#include "platform/MessageBoxPort.h"
#include "state/ProgramState.h"

// The order the player gives the mods: when two ticked mods supply the same file, the later one
// wins. It is kept beside vrel.cfg in vrel-order.txt, one archive file name a line (UTF-8), so
// that it survives a restart and can be edited by hand. The game's patch is always first and is
// not listed.
namespace vrel {

inline constexpr const char* kModOrderFile = "vrel-order.txt";

// The archive file names the order file lists, in its order, as UTF-8 text; blank lines left
// out. Empty when the file is missing or cannot be read, which means name order.
std::vector<std::string> ReadModOrder(const std::filesystem::path& programFolder);

// `listed`, in name order, put in the player's order: the names `order` lists first, in its order
// (matched exactly, else in any letter case), then the others as they were.
std::vector<std::filesystem::path> ApplyModOrder(std::vector<std::filesystem::path> listed,
                                                 const std::vector<std::string>& order);

// Moves the mod of row `from` to row `to` (see ModList::Move), and keeps the new order for the
// next start. The order holds for this run also when it could not be saved.
Expected<void, PlaceFailure> MoveMod(ProgramState& state, int from, int to);

// Keeps the mod list's order for the next start.
Expected<void, PlaceFailure> SaveModOrder(const ProgramState& state);

// Tells the user that `what` (such as "the order of the mods") could not be saved, and what holds
// `meanwhile`.
void ReportNotSaved(MessageBoxPort& messages, const std::string& what, const PlaceFailure& failure,
                    const std::string& meanwhile);

// Tells the user that the order holds only until Vrel closes.
void ReportOrderNotKept(MessageBoxPort& messages, const PlaceFailure& failure);

}  // namespace vrel
