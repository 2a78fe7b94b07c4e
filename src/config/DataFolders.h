#pragma once

#include <array>
#include <filesystem>

namespace vrel {

// The game's data folder tree, each name to be appended to the game folder; parents come first.
extern const std::array<const char*, 63> kDataFolderNames;

// Makes sure the game's data folder tree exists under `root`, the game folder. Existing folders, in
// any case, are kept; a folder that cannot be created is skipped silently. An empty root creates
// nothing.
void CreateDataFolders(const std::filesystem::path& root);

}  // namespace vrel
