#pragma once

#include <cstdint>
#include <string>

namespace vrel {

// Member names are read through a fixed field of this many characters; longer names are cut.
inline constexpr int kNameFieldLength = 40;
// NameLen, Compressed, RealSize, PackedSize and Offset around the name.
inline constexpr int kEntryFixedBytes = 17;

// One archive directory entry in memory. Name keeps the stored case and backslashes, at most
// 40 characters of Windows-1252 text.
struct DatEntry {
    std::string Name;
    std::uint8_t Compressed = 0;
    std::int32_t RealSize = 0;
    std::int32_t PackedSize = 0;
    std::int32_t Offset = 0;
};

}  // namespace vrel
