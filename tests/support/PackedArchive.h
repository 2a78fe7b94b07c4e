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

// One entry of a .zip written byte for byte: the name's bytes as they stand, marked as UTF-8 or
// not, as zip tools of different systems write them.
struct RawZipEntry {
    std::string Name;  // the bytes of the name
    bool Utf8Flag = false;
    std::vector<std::uint8_t> Content;
    std::uint32_t Flags = 0;       // further general-purpose flags (1: encrypted)
    std::int64_t StatedSize = -1;  // the size the central directory states, when not the real one
};

// Writes a .zip of stored entries by hand.
void WriteRawZip(const std::filesystem::path& path, const std::vector<RawZipEntry>& entries);

}  // namespace vrel::testing
