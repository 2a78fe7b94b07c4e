#pragma once

#include <filesystem>
#include <vector>

namespace vrel {

// The names of the archives in `folder`: ordinary files, neither hidden nor system files, ending in
// .dat in any case, sorted by name without regard to letter case, as the game's platform lists
// them.
std::vector<std::filesystem::path> ListDatFiles(const std::filesystem::path& folder);

}  // namespace vrel
