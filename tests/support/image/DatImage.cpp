#include "DatImage.h"

#include <zlib.h>

#include <span>
#include <utility>

namespace vrel {
namespace {

// The bytes a member occupies in the archive and whether they are one zlib stream.
std::pair<std::vector<std::uint8_t>, bool> EncodeImageMember(std::span<const std::uint8_t> content,
                                                             MemberStorage storage, int level) {
    if (storage == MemberStorage::Stored) {
        return {std::vector<std::uint8_t>(content.begin(), content.end()), false};
    }
    std::vector<std::uint8_t> packed = CompressMember(content, level);
    if (storage == MemberStorage::Smallest && packed.size() >= content.size()) {
        return {std::vector<std::uint8_t>(content.begin(), content.end()), false};
    }
    return {std::move(packed), true};
}

}  // namespace

std::vector<std::uint8_t> CompressMember(std::span<const std::uint8_t> content, int level) {
    uLongf length = compressBound(static_cast<uLong>(content.size()));
    std::vector<std::uint8_t> packed(length);
    compress2(packed.data(), &length, content.data(), static_cast<uLong>(content.size()), level);
    packed.resize(length);
    return packed;
}

Expected<void, WriteFailure> AddMember(DatWriter& writer, const std::string& name,
                                       std::span<const std::uint8_t> content, MemberStorage storage,
                                       std::optional<int> level) {
    return writer.AddEncoded(name, EncodeMember(content, storage, level.value_or(writer.Level())));
}

std::vector<std::uint8_t> BuildDatImage(const std::vector<ImageMember>& members,
                                        const ImageLayout& layout) {
    std::vector<std::uint8_t> image = layout.Leading;
    std::vector<std::uint8_t> directory;
    for (const ImageMember& member : members) {
        auto [bytes, compressed] =
            EncodeImageMember(member.Content, member.Storage, Z_DEFAULT_COMPRESSION);
        WrittenEntry entry;
        entry.Name = member.Name;
        entry.Compressed = member.Compressed.value_or(compressed ? 1 : 0);
        entry.RealSize = member.RealSize.value_or(static_cast<std::int32_t>(member.Content.size()));
        entry.PackedSize = member.PackedSize.value_or(static_cast<std::int32_t>(bytes.size()));
        entry.Offset = member.Offset.value_or(static_cast<std::int32_t>(image.size()));
        image.insert(image.end(), bytes.begin(), bytes.end());
        AppendEntry(directory, entry,
                    member.NameLen.value_or(static_cast<std::int32_t>(member.Name.size())));
    }
    const auto entriesSize = static_cast<std::int32_t>(directory.size());
    AppendInt32(image, layout.FilesTotal.value_or(static_cast<std::int32_t>(members.size())));
    image.insert(image.end(), directory.begin(), directory.end());
    AppendInt32(image, layout.TreeSize.value_or(entriesSize + 4));
    AppendInt32(image, layout.DataSize.value_or(static_cast<std::int32_t>(image.size() + 4)));
    return image;
}

}  // namespace vrel
