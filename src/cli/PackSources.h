#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vrel::cli {

struct PackSource {
    std::string Name;  // the member name: Windows-1252, backslashes
    std::filesystem::path Path;
    std::uintmax_t Size = 0;  // as listed
};

struct PackSources {
    std::vector<PackSource> Members;    // in the game's directory order
    std::vector<std::string> Refusals;  // files that cannot become members, and why
    std::vector<std::string> Skipped;   // entries that are not files (sockets, devices)
};

// The files under `folder` as archive members. A name the project's readers would not give back
// unchanged is refused: longer than 255 characters, not Windows-1252, unsafe to extract, or
// equal to another one but for letter case. `exclude` (the archive being written) is left out.
PackSources CollectPackSources(const std::filesystem::path& folder,
                               const std::filesystem::path& exclude);

}  // namespace vrel::cli
