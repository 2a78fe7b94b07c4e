#pragma once

#include <filesystem>
#include <string>

namespace vrel {

// The program's Patches folder, which holds the mods, found whatever its case.
std::filesystem::path PatchesFolder(const std::filesystem::path& programFolder);

// The game folder as the file system knows it, from the setting Fallout2. A relative
// setting is read against the Patches folder, the folder the program works from, without the
// process's current folder being changed. An empty setting stays empty.
std::filesystem::path GameFolderPath(const std::string& fallout2,
                                     const std::filesystem::path& programFolder);

// The game's Fallout2.exe in `gameFolder`, found whatever its case: the one file that Play checks
// and then starts.
std::filesystem::path GameExecutable(const std::filesystem::path& gameFolder);

}  // namespace vrel
