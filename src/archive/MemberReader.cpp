#include "archive/MemberReader.h"

#include <algorithm>
#include <span>

#include "archive/Decompress.h"
#include "archive/ZlibStream.h"

namespace vrel {
namespace {

bool LiesInside(const DatFile& archive, std::int64_t offset, std::int64_t count) {
    return offset >= 0 && count >= 0 && offset + count <= archive.Length();
}

// The bytes the entry stores in the archive: packed for a compressed member.
std::int64_t StoredSize(const DatEntry& entry) {
    return entry.Compressed == 1 ? entry.PackedSize : entry.RealSize;
}

}  // namespace

// Deflate cannot reach an announced size beyond what its packed bytes unpack to, so such an entry
// is damaged.
std::optional<DatProblem> EntryProblem(const DatFile& archive, const DatEntry& entry) {
    if (entry.RealSize < 0 ||
        (entry.Compressed == 1 &&
         (entry.PackedSize < 0 || entry.RealSize > MostAStreamCanUnpackTo(entry.PackedSize) ||
          !DecompressBufferSize(entry.RealSize)))) {
        return DatProblem::BadMemberSize;
    }
    if (!LiesInside(archive, entry.Offset, StoredSize(entry))) {
        return DatProblem::MemberOutsideFile;
    }
    return std::nullopt;
}

MemberContent ReadMemberContent(const DatFile& archive, const DatEntry& entry) {
    MemberContent content = ReadMemberBytes(archive, entry);
    UnpackMemberBytes(content, entry);
    return content;
}

void UnpackMemberBytes(MemberContent& content, const DatEntry& entry, Inflater inflater) {
    if (content.Problem || entry.Compressed != 1) {
        return;
    }
    const int result = inflater == Inflater::ZlibOnly
                           ? DecompressWithZlib(content.Bytes, entry.RealSize)
                           : Decompress(content.Bytes, entry.RealSize);
    if (result != Z_OK || content.Bytes.size() != static_cast<std::size_t>(entry.RealSize)) {
        content.Problem = DatProblem::DamagedMember;
    }
}

std::span<const std::uint8_t> ReadMemberForWriting(const DatFile& archive, const DatEntry& entry,
                                                   std::optional<DatProblem>& problem,
                                                   Inflater inflater) {
    problem = EntryProblem(archive, entry);
    if (problem) {
        return {};
    }
    // Never smaller, so that a member does not fill again what an earlier one took.
    thread_local std::vector<std::uint8_t> stored;
    const auto storedSize = static_cast<std::size_t>(StoredSize(entry));
    if (stored.size() < storedSize) {
        stored.resize(storedSize);
    }
    const std::span<std::uint8_t> bytes = std::span(stored).first(storedSize);
    if (!archive.ReadAt(entry.Offset, bytes)) {
        problem = DatProblem::CannotOpen;
        return {};
    }
    if (entry.Compressed != 1) {
        return bytes;
    }
    thread_local std::vector<std::uint8_t> work;
    std::size_t produced = 0;
    const int result = inflater == Inflater::ZlibOnly
                           ? DecompressWithZlibInto(bytes, entry.RealSize, work, produced)
                           : DecompressInto(bytes, entry.RealSize, work, produced);
    if (result != Z_OK || produced != static_cast<std::size_t>(entry.RealSize)) {
        problem = DatProblem::DamagedMember;
        return {};
    }
    return std::span(work).first(produced);
}

MemberContent ReadMemberBytes(const DatFile& archive, const DatEntry& entry) {
    MemberContent content;
    content.Problem = EntryProblem(archive, entry);
    if (content.Problem) {
        return content;
    }
    auto stored = archive.ReadAt(entry.Offset, StoredSize(entry));
    if (!stored) {
        content.Problem = DatProblem::CannotOpen;
        return content;
    }
    content.Bytes = std::move(*stored);
    return content;
}

bool IsLargeMember(const DatEntry& entry) {
    return entry.RealSize > kLargeMember ||
           (entry.Compressed == 1 && entry.PackedSize > kLargeMember);
}

Expected<void, DatProblem> ReadMemberPieces(const DatFile& archive, const DatEntry& entry,
                                            const TakePiece& take) {
    const bool compressed = entry.Compressed == 1;
    if (const auto problem = EntryProblem(archive, entry)) {
        return Unexpected{*problem};
    }
    const std::int64_t stored = StoredSize(entry);
    std::vector<std::uint8_t> piece(kMemberPiece);
    std::vector<std::uint8_t> unpacked(compressed ? kMemberPiece : 0);
    ZlibStream stream;
    if (compressed && !stream.BeginInflate()) {
        return Unexpected{DatProblem::DamagedMember};
    }
    z_stream& z = stream.Z();
    std::int64_t read = 0;
    std::int64_t given = 0;
    bool ended = false;
    while (read < stored && !ended) {
        const auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(stored - read, static_cast<std::int64_t>(piece.size())));
        const auto bytes = std::span(piece).first(count);
        if (!archive.ReadAt(entry.Offset + read, bytes)) {
            return Unexpected{DatProblem::CannotOpen};
        }
        read += static_cast<std::int64_t>(count);
        if (!compressed) {
            if (!take(bytes)) {
                return {};
            }
            continue;
        }
        z.next_in = bytes.data();
        z.avail_in = static_cast<uInt>(count);
        while (z.avail_in > 0 && !ended) {
            z.next_out = unpacked.data();
            z.avail_out = static_cast<uInt>(unpacked.size());
            const int result = inflate(&z, Z_NO_FLUSH);
            const std::size_t out = unpacked.size() - z.avail_out;
            given += static_cast<std::int64_t>(out);
            if ((result != Z_OK && result != Z_STREAM_END) || given > entry.RealSize) {
                return Unexpected{DatProblem::DamagedMember};
            }
            if (out > 0 && !take(std::span(unpacked).first(out))) {
                return {};
            }
            ended = result == Z_STREAM_END;
        }
    }
    if (compressed) {
        // The rest of a stream whose input has all been given.
        while (!ended) {
            z.next_out = unpacked.data();
            z.avail_out = static_cast<uInt>(unpacked.size());
            const int result = inflate(&z, Z_FINISH);
            const std::size_t out = unpacked.size() - z.avail_out;
            given += static_cast<std::int64_t>(out);
            if ((result != Z_STREAM_END && out == 0) || given > entry.RealSize) {
                return Unexpected{DatProblem::DamagedMember};
            }
            if (out > 0 && !take(std::span(unpacked).first(out))) {
                return {};
            }
            ended = result == Z_STREAM_END;
        }
        if (given != entry.RealSize) {
            return Unexpected{DatProblem::DamagedMember};
        }
    }
    return {};
}

}  // namespace vrel
