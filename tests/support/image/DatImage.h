#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/DatWriter.h"

namespace vrel {

// Builds a whole archive in memory, for tests, demos and fuzz seeds; entries in the order given.
// Every field can be overridden to make malformed archives.
struct ImageMember {
    std::string Name;
    std::vector<std::uint8_t> Content;
    MemberStorage Storage = MemberStorage::Smallest;
    std::optional<std::int32_t> NameLen, RealSize, PackedSize, Offset;
    std::optional<std::uint8_t> Compressed;
};
struct ImageLayout {
    std::optional<std::int32_t> FilesTotal, TreeSize, DataSize;
    std::vector<std::uint8_t> Leading;  // bytes before the first member's data
};
std::vector<std::uint8_t> BuildDatImage(const std::vector<ImageMember>& members,
                                        const ImageLayout& layout = {});

}  // namespace vrel
