#pragma once

#include <array>
#include <filesystem>

#include "config/VrelCFG.h"

namespace vrel {

// The game's data folder tree, each name to be appended to the game folder; parents come first.
extern const std::array<const char*, 63> kDataFolderNames;

// Makes sure the game's data folder tree exists under `root`, the game folder. Existing folders, in
// any case, are kept; a folder that cannot be created is skipped silently. An empty root creates
// nothing.
void CreateDataFolders(const std::filesystem::path& root);

// The same under the game folder the settings name, each time that folder is set: by the first run
// and at start-up.
void CreateGameDataFolders(const VrelCFG& config, const std::filesystem::path& programFolder);

}  // namespace vrel
