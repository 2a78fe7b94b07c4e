#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/DatEntry.h"
#include "archive/MemberCompressor.h"
#include "archive/MemberPieces.h"
#include "base/Expected.h"
#include "base/Failure.h"
#include "base/PendingFile.h"

namespace vrel {

enum class MemberStorage {
    Smallest,    // one zlib stream, unless that is not smaller than the content: then stored
    Compressed,  // always one zlib stream
    Stored,      // always as is
};

// One directory entry as it will be written: the full name.
struct WrittenEntry {
    std::string Name;
    std::uint8_t Compressed = 0;
    std::int32_t RealSize = 0;
    std::int32_t PackedSize = 0;
    std::int32_t Offset = 0;
};

// The format's little-endian signed 32 bits, and one directory entry with the given NameLen.
void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value);
void AppendEntry(std::vector<std::uint8_t>& out, const WrittenEntry& entry, std::int32_t nameLen);

// A member's bytes as they go into the archive.
struct EncodedMember {
    std::vector<std::uint8_t> Bytes;
    bool Compressed = false;
    std::size_t RealSize = 0;
};

// Packs (or keeps) one member's content as `storage` says, at `level` (see MemberCompressor).
// Any thread may call it: each thread packs with a compressor of its own, so the bytes depend
// only on the content, the storage and the level.
EncodedMember EncodeMember(std::span<const std::uint8_t> content, MemberStorage storage, int level);

enum class WriteProblem {
    CannotWrite,   // the archive could not be created, written or put in place
    AlreadyThere,  // placed as new, and another file took its name while it was written
    TooLarge,      // a size or offset would not fit the format's signed 32 bits
    Abandoned,     // a member's reader failed; its owner knows why
};
// `Path` is the archive being written; `Error` is the system's reason, when it gave one.
using WriteFailure = Failure<WriteProblem>;
// What went wrong, to follow the archive's name in a message.
std::string DescribeWriteFailure(const WriteFailure& failure);

// Writes a DAT2 archive to a file member by member, so memory stays bounded by the largest
// member: the data goes out as it is added, the directory is written by Finish. The archive is
// built in a new file beside the target (see PendingFile) and put in place by Finish as
// `placing` allows, so a file already there stays whole until the new archive is complete.
class DatWriter {
public:
    // `level` is zlib's level (0 to 9, or -1 for zlib's default) for compressed members.
    static Expected<DatWriter, WriteFailure> Create(const std::filesystem::path& path,
                                                    int level = -1,
                                                    Placing placing = Placing::Replace);
    DatWriter(DatWriter&& other) noexcept = default;
    DatWriter& operator=(DatWriter&&) = delete;

    // Appends a member encoded beforehand (on any thread) by EncodeMember.
    Expected<void, WriteFailure> AddEncoded(const std::string& name, const EncodedMember& member);
    // Appends a member of any size read piece by piece through `read`, packed and written as it
    // comes, so that only a piece is held at a time. As Smallest packs, it is stored when its
    // first piece does not pack smaller. `progress`, when set, is given the bytes read so far
    // after each piece.
    Expected<void, WriteFailure> AddStreamed(
        const std::string& name, const ReadPiece& read, MemberStorage storage,
        const std::function<void(std::int64_t)>& progress = {});

    int Level() const { return level_; }
    // The archive's path; once in place, as the folder spells it (see Placing).
    const std::filesystem::path& Path() const { return file_.Target(); }

    // Writes the directory, in the order given by `before` when set, else in the order added,
    // then TreeSize and DataSize (the file's length), and puts the archive in place.
    Expected<void, WriteFailure> Finish(
        const std::function<bool(const WrittenEntry&, const WrittenEntry&)>& before = {});

    const std::vector<WrittenEntry>& Entries() const { return entries_; }

private:
    DatWriter(PendingFile file, int level, Placing placing)
        : file_(std::move(file)), level_(level), placing_(placing) {}
    Unexpected<WriteFailure> Failed(WriteProblem problem, std::error_code error = {}) const {
        return {WriteFailure{problem, file_.Target(), error}};
    }
    Expected<void, WriteFailure> Write(std::span<const std::uint8_t> bytes);
    Expected<void, WriteFailure> WriteHeld();

    PendingFile file_;
    std::vector<std::uint8_t> held_;  // written bytes not yet handed to the file, a piece at a time
    int level_ = -1;
    Placing placing_ = Placing::Replace;
    bool placed_ = false;
    std::int64_t written_ = 0;
    std::vector<WrittenEntry> entries_;
};

}  // namespace vrel
