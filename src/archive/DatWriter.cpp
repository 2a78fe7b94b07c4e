#include "archive/DatWriter.h"

#include <zlib.h>

#include <algorithm>
#include <utility>

namespace vrel {
namespace {

// Sizes and offsets are signed 32-bit in the format.
constexpr std::int64_t kMaxFormatSize = 0x7FFFFFFF;

}  // namespace

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

void AppendEntry(std::vector<std::uint8_t>& out, const WrittenEntry& entry, std::int32_t nameLen) {
    AppendInt32(out, nameLen);
    out.insert(out.end(), entry.Name.begin(), entry.Name.end());
    out.push_back(entry.Compressed);
    AppendInt32(out, entry.RealSize);
    AppendInt32(out, entry.PackedSize);
    AppendInt32(out, entry.Offset);
}

std::vector<std::uint8_t> CompressMember(std::span<const std::uint8_t> content, int level) {
    uLongf length = compressBound(static_cast<uLong>(content.size()));
    std::vector<std::uint8_t> packed(length);
    compress2(packed.data(), &length, content.data(), static_cast<uLong>(content.size()), level);
    packed.resize(length);
    return packed;
}

std::string DescribeWriteFailure(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::CannotWrite:
            return "the archive cannot be written";
        case WriteFailure::TooLarge:
            return "the archive would be larger than the format allows (2 GiB)";
    }
    return "the archive cannot be written";
}

Expected<DatWriter, WriteFailure> DatWriter::Create(const std::filesystem::path& path, int level) {
    std::filesystem::path temporary = path;
    temporary += ".vrel-part";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        return Unexpected{WriteFailure::CannotWrite};
    }
    return DatWriter(path, std::move(temporary), std::move(out), level);
}

DatWriter::DatWriter(DatWriter&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      out_(std::move(other.out_)),
      level_(other.level_),
      written_(other.written_),
      entries_(std::move(other.entries_)) {}

DatWriter::~DatWriter() {
    if (!temporary_.empty()) {
        out_.close();
        std::error_code error;
        std::filesystem::remove(temporary_, error);
    }
}

EncodedMember EncodeMember(std::span<const std::uint8_t> content, MemberStorage storage,
                           int level) {
    EncodedMember encoded;
    encoded.RealSize = content.size();
    if (storage != MemberStorage::Stored) {
        // Kept between members: setting a compressor up costs more than packing a small member.
        thread_local std::optional<MemberCompressor> compressor;
        if (!compressor || compressor->Level() != level) {
            compressor.emplace(level);
        }
        compressor->Compress(content, encoded.Bytes);
        if (storage == MemberStorage::Compressed || encoded.Bytes.size() < content.size()) {
            encoded.Compressed = true;
            return encoded;
        }
    }
    encoded.Bytes.assign(content.begin(), content.end());
    return encoded;
}

std::optional<WriteFailure> DatWriter::AddMember(const std::string& name,
                                                 std::span<const std::uint8_t> content,
                                                 MemberStorage storage, std::optional<int> level) {
    if (content.size() > static_cast<std::size_t>(kMaxFormatSize)) {
        return WriteFailure::TooLarge;
    }
    return AddEncoded(name, EncodeMember(content, storage, level.value_or(level_)));
}

std::optional<WriteFailure> DatWriter::AddEncoded(const std::string& name,
                                                  const EncodedMember& member) {
    const std::vector<std::uint8_t>& bytes = member.Bytes;
    if (member.RealSize > static_cast<std::size_t>(kMaxFormatSize) ||
        written_ + static_cast<std::int64_t>(bytes.size()) > kMaxFormatSize) {
        return WriteFailure::TooLarge;
    }
    WrittenEntry entry;
    entry.Name = name;
    entry.Compressed = member.Compressed ? 1 : 0;
    entry.RealSize = static_cast<std::int32_t>(member.RealSize);
    entry.PackedSize = static_cast<std::int32_t>(bytes.size());
    entry.Offset = static_cast<std::int32_t>(written_);
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!out_) {
        return WriteFailure::CannotWrite;
    }
    written_ += static_cast<std::int64_t>(bytes.size());
    entries_.push_back(std::move(entry));
    return std::nullopt;
}

std::optional<WriteFailure> DatWriter::Finish(
    const std::function<bool(const WrittenEntry&, const WrittenEntry&)>& before) {
    if (temporary_.empty()) {
        return WriteFailure::CannotWrite;
    }
    if (before) {
        std::stable_sort(entries_.begin(), entries_.end(), before);
    }
    std::vector<std::uint8_t> tree;
    AppendInt32(tree, static_cast<std::int32_t>(entries_.size()));
    for (const WrittenEntry& entry : entries_) {
        AppendEntry(tree, entry, static_cast<std::int32_t>(entry.Name.size()));
    }
    const std::int64_t dataSize = written_ + static_cast<std::int64_t>(tree.size()) + 8;
    if (dataSize > kMaxFormatSize) {
        return WriteFailure::TooLarge;
    }
    AppendInt32(tree, static_cast<std::int32_t>(tree.size()));
    AppendInt32(tree, static_cast<std::int32_t>(dataSize));
    out_.write(reinterpret_cast<const char*>(tree.data()),
               static_cast<std::streamsize>(tree.size()));
    out_.close();
    if (out_.fail()) {
        return WriteFailure::CannotWrite;
    }
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        return WriteFailure::CannotWrite;
    }
    temporary_.clear();
    return std::nullopt;
}

}  // namespace vrel
