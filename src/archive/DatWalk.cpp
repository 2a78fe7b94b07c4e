#include "archive/DatWalk.h"

#include "archive/DatTrailer.h"
#include "archive/DirectoryEntry.h"

namespace vrel {

Expected<DatWalk, DatProblem> DatWalk::Open(const std::filesystem::path& archivePath) {
    std::optional<DatFile> file = DatFile::Open(archivePath);
    if (!file) {
        return Unexpected{DatProblem::CannotOpen};
    }
    const auto trailer = ReadDatTrailer(*file, DirectoryAnchor::DataSize);
    if (!trailer) {
        return Unexpected{trailer.error()};
    }
    const std::int64_t filesTotalAt = trailer->FilesTotalAt;
    const std::int64_t fileLen = trailer->FileLength;
    // One read: FilesTotal and everything after it, which is where the walk can go.
    auto directory = file->ReadAt(filesTotalAt, fileLen - filesTotalAt);
    if (!directory) {
        return Unexpected{DatProblem::CannotOpen};
    }
    const std::int32_t filesTotal = ReadInt32(*directory, 0);
    if (filesTotal < 0) {
        return Unexpected{DatProblem::BadFilesTotal};
    }
    directory->erase(directory->begin(), directory->begin() + 4);
    return DatWalk(std::move(*file), std::move(*directory), filesTotal);
}

std::optional<DatEntry> DatWalk::NextDatEntry() {
    if (problem_ || visited_ >= filesTotal_) {
        return std::nullopt;
    }
    auto parsed = ParseDirectoryEntry(directory_, position_);
    if (!parsed) {
        problem_ = parsed.error();
        return std::nullopt;
    }
    ++visited_;
    position_ = parsed->Next;
    return std::move(parsed->Entry);
}

}  // namespace vrel
