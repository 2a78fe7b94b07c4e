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
MemberContent ReadMemberContent(const DatFile& archive, const DatEntry& entry);

// Which library inflates: the fastest the build has, or zlib alone (the one-core engine that
// benchmarks and tests compare against). Both give the same bytes and the same judgement.
enum class Inflater { Fastest, ZlibOnly };

// The same in two halves, so that the reading and the inflating can run on different threads:
// ReadMemberBytes checks the entry and reads its stored bytes (for a compressed member, still
// packed); UnpackMemberBytes, on any thread, inflates them when the member is compressed.
MemberContent ReadMemberBytes(const DatFile& archive, const DatEntry& entry);
void UnpackMemberBytes(MemberContent& content, const DatEntry& entry,
                       Inflater inflater = Inflater::Fastest);

// Why the entry's stored bytes cannot be read, judged by its sizes and place alone, or nothing
// when they can.
std::optional<DatProblem> EntryProblem(const DatFile& archive, const DatEntry& entry);

// A member about to be written out, read and inflated by the thread that writes it, into buffers
// the thread keeps from one member to the next: no memory is taken, filled or handed between
// threads per member. Gives the member's content, valid until the thread reads another; nothing
// when it is damaged or cannot be read (`problem` says why). Any thread may call it while others
// read the same archive.
std::span<const std::uint8_t> ReadMemberForWriting(const DatFile& archive, const DatEntry& entry,
                                                   std::optional<DatProblem>& problem,
                                                   Inflater inflater = Inflater::Fastest);

// Whether a member is read piece by piece (see kLargeMember) rather than whole.
bool IsLargeMember(const DatEntry& entry);

// A member's content handed to `take` piece by piece, inflated as it is read, so that only a
// piece is held at a time; judged as ReadMemberContent judges it, so a problem may come after
// pieces were taken (their taker must then drop them). Succeeds when the member was whole or
// `take` stopped.
Expected<void, DatProblem> ReadMemberPieces(const DatFile& archive, const DatEntry& entry,
                                            const TakePiece& take);

}  // namespace vrel
