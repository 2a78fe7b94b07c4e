#include "archive/DatWalk.h"

#include "archive/DirectoryEntry.h"

namespace vrel {

Expected<DatWalk, DatProblem> DatWalk::Open(const std::filesystem::path& archivePath) {
    std::optional<DatFile> file = DatFile::Open(archivePath);
    if (!file) {
        return Unexpected{DatProblem::CannotOpen};
    }
    const std::int64_t fileLen = file->Length();
    if (fileLen < 8) {
        return Unexpected{DatProblem::TooShort};
    }
    std::uint8_t trailer[8];
    if (!file->ReadAt(fileLen - 8, trailer)) {
        return Unexpected{DatProblem::CannotOpen};
    }
    const std::int32_t treeSize = ReadInt32(trailer, 0);
    const std::int32_t dataSize = ReadInt32(trailer, 4);
    const std::int64_t filesTotalAt = static_cast<std::int64_t>(dataSize) - treeSize - 8;
    if (filesTotalAt < 0 || filesTotalAt + 4 > fileLen) {
        return Unexpected{DatProblem::BadTreeSize};
    }
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
    std::optional<ParsedEntry> parsed = ParseDirectoryEntry(directory_, position_);
    if (!parsed) {
        problem_ = DatProblem::BadEntry;
        return std::nullopt;
    }
    ++visited_;
    position_ = parsed->next;
    return std::move(parsed->entry);
}

}  // namespace vrel
