#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "archive/DatEntry.h"
#include "archive/DatFile.h"
#include "archive/DatProblem.h"
#include "archive/MemberReader.h"
#include "base/Expected.h"

namespace vrel {

// The unpacker's walk over one archive: locates the directory from the stored DataSize and
// visits exactly FilesTotal entries, one per NextDatEntry call.
class DatWalk {
public:
    static Expected<DatWalk, DatProblem> Open(const std::filesystem::path& archivePath);

    std::int32_t FilesTotal() const { return filesTotal_; }

    // The next directory entry (name in its stored case), or nothing when all FilesTotal entries
    // have been visited or the directory is damaged at this point (Problem() then tells why).
    std::optional<DatEntry> NextDatEntry();
    std::optional<DatProblem> Problem() const { return problem_; }

    // A member's content; the walk's position is not changed.
    MemberContent ReadDatMember(const DatEntry& entry) { return ReadMemberContent(file_, entry); }
    // Its content piece by piece (see ReadMemberPieces).
    Expected<void, DatProblem> ReadMemberPieces(const DatEntry& entry, const TakePiece& take) {
        return vrel::ReadMemberPieces(file_, entry, take);
    }
    // Its stored bytes only, for UnpackMemberBytes on another thread.
    MemberContent ReadMemberBytes(const DatEntry& entry) {
        return vrel::ReadMemberBytes(file_, entry);
    }
    // Why its bytes cannot be read, judged by the entry alone (see EntryProblem).
    std::optional<DatProblem> EntryProblem(const DatEntry& entry) const {
        return vrel::EntryProblem(file_, entry);
    }
    // Its content for writing out (see ReadMemberForWriting): on any thread, while the walk goes
    // on.
    std::span<const std::uint8_t> ReadMemberForWriting(
        const DatEntry& entry, std::optional<DatProblem>& problem,
        Inflater inflater = Inflater::Fastest) const {
        return vrel::ReadMemberForWriting(file_, entry, problem, inflater);
    }

private:
    DatWalk(DatFile file, std::vector<std::uint8_t> directory, std::int32_t filesTotal)
        : file_(std::move(file)), directory_(std::move(directory)), filesTotal_(filesTotal) {}

    DatFile file_;
    std::vector<std::uint8_t> directory_;  // from the first entry to the end of the file
    std::int32_t filesTotal_ = 0;
    std::int32_t visited_ = 0;
    std::size_t position_ = 0;
    std::optional<DatProblem> problem_;
};

}  // namespace vrel
