#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/VrelCFG.h"
#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"
#include "platform/ProgressPort.h"
#include "state/ModList.h"

namespace vrel {

inline constexpr const char* kPatchDescription =
    "This is the official path from Interplay. No new items, bug fixes on certain scripts, maps and texts.";
// The game's patch is never read; this is the number of files it is known to hold.
inline constexpr int kPatchFilesTotal = 459;

struct StartupResult {
    bool Ended = false;  // the user chose to leave, or patch000.dat could not be moved
};

struct StartupContext {
    const VrelCFG& config;
    std::filesystem::path ProgramFolder;
    MessageBoxPort& messages;
    LifetimePort& lifetime;
    ProgressPort& progress;
    // Where patch000.dat cannot be moved from the game folder: shows the player a window to
    // choose the folder in, with the reason; true when a new one was saved. Without it start-up
    // ends there.
    std::function<bool(const std::string& reason)> FixGameFolder = {};
};

// What the main window does before it is first shown: makes sure the Patches folder and the game's
// patch000.dat are in place, creates the game's data folder tree and reads every archive in
// Patches into `mods` (made anew): the patch, then the mods in the player's order, then the others
// in name order.
StartupResult LoadMods(StartupContext& context, ModList& mods);

// Reads every archive in `patches` into a new mod list with `order` as its order: the game's patch
// first and alone ticked, then the mods `order` names in its order, then the others in name order.
ModList ReadModList(const std::filesystem::path& patches, bool readDescriptions,
                    const std::vector<std::string>& order, ProgressPort& progress);

// Tells the user once about every archive that could be read only in part.
void ReportDamagedArchives(MessageBoxPort& messages, const ModList& mods);

// Reminds the user to add mods when the game's patch is the only archive found.
void ReportSingleDat(MessageBoxPort& messages, std::size_t rowCount,
                     const std::filesystem::path& programFolder);

// "Fallout 2: Vrel 2.0": the main window's caption, with the program's major and minor version.
std::string MainWindowCaption();

}  // namespace vrel
