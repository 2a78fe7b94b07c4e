#pragma once

#include <string>
#include <vector>

#include "platform/EnvironmentPort.h"
#include "platform/RegistryPort.h"

// Where players have the game: the entry of the game's own installer, then the records of the
// stores that sell it today (GOG, Steam) and of the Wine prefixes and Linux launchers they play
// it through.
namespace vrel {

struct FoundGameFolders {
    // Whether the game's own installer left its entry, also an empty one.
    bool Recorded = false;
    // Display text: the installer's entry first as it stands (when not empty), then every other
    // folder that holds Fallout2.exe, each once.
    std::vector<std::string> Folders;
    // For each folder, where it was found: "Steam", "GOG", "Wine prefix", "Proton", "Heroic",
    // with "Flatpak" or "Snap" for a store in a sandbox.
    std::vector<std::string> Stores;
};

// A found folder as a list shows it, its store first: "Steam: D:\SteamLibrary\...".
std::string DescribeFoundFolder(const FoundGameFolders& found, std::size_t index);

// Looks everywhere, quickly: a store that is missing costs a few file look-ups, and a record
// that cannot be read is passed over.
FoundGameFolders FindGameFolders(RegistryPort& registry, EnvironmentPort& environment);

}  // namespace vrel
