#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vrel::testing {

enum class PackedFormat { Zip, SevenZip };

// Writes a .zip or .7z holding the given files (paths with '/', UTF-8) through libarchive.
void WritePackedArchive(
    const std::filesystem::path& path, PackedFormat format,
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files);

}  // namespace vrel::testing
