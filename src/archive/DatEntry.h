#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vrel {

// The longest member name read, written or imported, in bytes. Each name is stored with its
// length, and real archives hold names over 40 characters that the game reads whole; a longer
// name than this could not be a file name on any system the game runs on.
inline constexpr int kMaxNameLength = 255;
// Sizes and offsets are signed 32-bit in the format: no member, and no archive, holds more bytes.
inline constexpr std::int64_t kMaxFormatSize = 0x7FFFFFFF;
// Why a file cannot become a member, after its path and ": ".
inline constexpr std::string_view kMemberTooLarge =
    "larger than 2 GiB, more than a member of a DAT archive holds";
// Why an archive cannot be written whole.
inline constexpr std::string_view kArchiveTooLarge =
    "the archive would be larger than the format allows (2 GiB)";
// NameLen, Compressed, RealSize, PackedSize and Offset around the name.
inline constexpr int kEntryFixedBytes = 17;

// One archive directory entry in memory. Name keeps the stored case and backslashes, at most
// kMaxNameLength bytes of Windows-1252 text.
struct DatEntry {
    std::string Name;
    std::uint8_t Compressed = 0;
    std::int32_t RealSize = 0;
    std::int32_t PackedSize = 0;
    std::int32_t Offset = 0;
};

}  // namespace vrel
