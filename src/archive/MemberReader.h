#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "archive/DatEntry.h"
#include "archive/DatFile.h"
#include "archive/DatProblem.h"
#include "archive/MemberPieces.h"
#include "base/Expected.h"

namespace vrel {

struct MemberContent {
    std::vector<std::uint8_t> Bytes;
    // Set when the member could not be read whole; Bytes then hold what could be read (for a
    // damaged stream, what unpacking left), never more than the entry announces.
    std::optional<DatProblem> Problem;
};

// A member's content: a compressed member (Compressed = 1) unpacked from its PackedSize bytes,
// any other member's RealSize bytes as stored. One read, one inflate.
MemberContent ReadMemberContent(DatFile& archive, const DatEntry& entry);

// Which library inflates: the fastest the build has, or zlib alone (the one-core engine that
// benchmarks and tests compare against). Both give the same bytes and the same judgement.
enum class Inflater { Fastest, ZlibOnly };

// The same in two halves, so that the reading and the inflating can run on different threads:
// ReadMemberBytes checks the entry and reads its stored bytes (for a compressed member, still
// packed); UnpackMemberBytes, on any thread, inflates them when the member is compressed.
MemberContent ReadMemberBytes(DatFile& archive, const DatEntry& entry);
void UnpackMemberBytes(MemberContent& content, const DatEntry& entry,
                       Inflater inflater = Inflater::Fastest);

// The same for a member about to be written out: a compressed member is inflated into a buffer
// that the thread keeps from one member to the next, so that no memory is taken and filled per
// member, and its packed bytes are let go. Gives the member's content, which stays valid until
// the thread unpacks another member (and, for a stored one, while `content` holds it); nothing
// when the member is damaged (content.Problem says so).
std::span<const std::uint8_t> UnpackMemberForWriting(MemberContent& content, const DatEntry& entry,
                                                     Inflater inflater = Inflater::Fastest);

// Whether a member is read piece by piece (see kLargeMember) rather than whole.
bool IsLargeMember(const DatEntry& entry);

// A member's content handed to `take` piece by piece, inflated as it is read, so that only a
// piece is held at a time; judged as ReadMemberContent judges it, so a problem may come after
// pieces were taken (their taker must then drop them). Succeeds when the member was whole or
// `take` stopped.
Expected<void, DatProblem> ReadMemberPieces(DatFile& archive, const DatEntry& entry,
                                            const TakePiece& take);

}  // namespace vrel
