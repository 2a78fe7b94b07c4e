#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vrel {

// The names of the archives in `folder`: ordinary files, neither hidden nor system files, ending in
// .dat in any case, sorted by name without regard to letter case, as the game's platform lists
// them.
std::vector<std::filesystem::path> ListDatFiles(const std::filesystem::path& folder);

// What the archives in `folder` are at this moment: each one's name, size and time of its last
// change. Two stamps differ when an archive was added, removed or replaced.
struct DatFileStamp {
    std::filesystem::path Name;
    std::uintmax_t Size = 0;
    std::filesystem::file_time_type Changed;
    bool operator==(const DatFileStamp&) const = default;
};
using ListingStamp = std::vector<DatFileStamp>;
ListingStamp StampDatFiles(const std::filesystem::path& folder);

}  // namespace vrel
