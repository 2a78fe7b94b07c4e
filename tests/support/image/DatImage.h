#pragma once

#include <cstdint>
#include <optional>
#include <span>
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

// One zlib stream of the content at the given level (0 to 9, or -1 for zlib's default), made by
// zlib itself.
std::vector<std::uint8_t> CompressMember(std::span<const std::uint8_t> content, int level);

// Appends one member's data to `writer`, compressed at `level` when given, else at the writer's
// level. Name is Windows-1252 with backslashes.
Expected<void, WriteFailure> AddMember(DatWriter& writer, const std::string& name,
                                       std::span<const std::uint8_t> content, MemberStorage storage,
                                       std::optional<int> level = std::nullopt);

}  // namespace vrel
