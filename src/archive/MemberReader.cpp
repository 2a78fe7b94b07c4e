#include "archive/MemberReader.h"

#include <zlib.h>

#include "archive/Decompress.h"

namespace vrel {
namespace {

bool LiesInside(const DatFile& archive, std::int64_t offset, std::int64_t count) {
    return offset >= 0 && count >= 0 && offset + count <= archive.Length();
}

}  // namespace

MemberContent ReadMemberContent(DatFile& archive, const DatEntry& entry) {
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

MemberContent ReadMemberBytes(DatFile& archive, const DatEntry& entry) {
    MemberContent content;
    if (entry.Compressed == 1) {
        // Deflate cannot reach a larger announced size, so such an entry is damaged.
        if (entry.PackedSize < 0 || entry.RealSize < 0 ||
            entry.RealSize > (static_cast<std::int64_t>(entry.PackedSize) + 1) * kMaxInflateRatio ||
            !DecompressBufferSize(entry.RealSize)) {
            content.Problem = DatProblem::BadMemberSize;
            return content;
        }
        if (!LiesInside(archive, entry.Offset, entry.PackedSize)) {
            content.Problem = DatProblem::MemberOutsideFile;
            return content;
        }
        auto packed = archive.ReadAt(entry.Offset, entry.PackedSize);
        if (!packed) {
            content.Problem = DatProblem::CannotOpen;
            return content;
        }
        content.Bytes = std::move(*packed);
        return content;
    }

    if (entry.RealSize < 0) {
        content.Problem = DatProblem::BadMemberSize;
        return content;
    }
    if (!LiesInside(archive, entry.Offset, entry.RealSize)) {
        content.Problem = DatProblem::MemberOutsideFile;
        return content;
    }
    auto stored = archive.ReadAt(entry.Offset, entry.RealSize);
    if (!stored) {
        content.Problem = DatProblem::CannotOpen;
        return content;
    }
    content.Bytes = std::move(*stored);
    return content;
}

}  // namespace vrel
