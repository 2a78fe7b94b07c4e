#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vrel {

// One row of the mod list: the archive's file name as the file system has it, and its tick.
struct ModRow {
    std::filesystem::path Name;
    bool Ticked = false;
};

// The names of the archives in `folder`: ordinary files, neither hidden nor system files, ending in
// .dat in any case, sorted by name without regard to letter case, as the game's platform lists
// them.
std::vector<std::filesystem::path> ListDatFiles(const std::filesystem::path& folder);

}  // namespace vrel
