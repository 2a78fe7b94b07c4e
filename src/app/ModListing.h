#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vrel {

// One row of the mod list: the archive's file name as listed, and its tick.
struct ModRow {
    std::string Name;
    bool Ticked = false;
};

// The names of the archives in `folder`: ordinary files, neither hidden nor system files, ending in
// .dat in any case, sorted by name without regard to letter case, as the game's platform lists
// them.
std::vector<std::string> ListDatFiles(const std::filesystem::path& folder);

}  // namespace vrel
