#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

enum class PlaceProblem {
    CannotCreate,  // no new file could be made beside the target
    CannotWrite,   // writing or syncing the new file failed
    AlreadyThere,  // the target's name is taken (see Placing)
    CannotPlace,   // the new file could not be renamed to the target
    CannotRead,    // the file to copy could not be read (CopyFileWhole; `Path` is still the target)
};
// `Path` is always the target, the name the user knows; `Error` is what the system said.
using PlaceFailure = Failure<PlaceProblem>;

enum class Placing {
    New,               // never replaces anything: AlreadyThere when the name is taken
    NewInAnyCase,      // nor puts a file beside one whose name differs only in letter case, since
                       // the game would take either for the other
    Replace,           // replaces a file that is there
    ReplaceInAnyCase,  // replaces the file whose name is the target's in any letter case, under
                       // that file's spelling (Target() then gives it), so that two runs never
                       // leave two files the game would take for one
};

enum class Durability {
    Synced,    // the bytes and the new name are on the disk when Place returns
    Unsynced,  // left to the system: for the thousands of files of an extraction, where a sync
               // each would cost far more than extracting again after a power cut. Where the
               // system can, the new file has no name until it is placed, so that even a kill
               // leaves nothing behind and no rename is paid per file
};

// The one way a file is written in place of (or beside) the user's files: the bytes go to a new
// file created exclusively beside the target, under a name no other run can take, never through
// a symbolic link; Place syncs it and renames it to the target. Until then the target is
// untouched, and the new file is removed on every failure, when dropped unplaced, and by
// RemovePendingFiles.
class PendingFile {
public:
    static Expected<PendingFile, PlaceFailure> Create(const std::filesystem::path& target,
                                                      Durability durability = Durability::Synced);
    // For the thousands of new files of an extraction or a Play: the file is made at once under
    // the target's own name, exclusively (AlreadyThere when the name is taken, never through a
    // link) and unsynced, which spares giving each file its name apart once it is whole, a tenth
    // of the work. Until placed (with Placing::New) it is removed on every failure, when dropped,
    // and by RemovePendingFiles, so that neither a failure nor an interrupted program leaves it
    // cut short under the name; an end that no handler sees (a kill that cannot be caught, a
    // crash) can, so a caller that must know keeps its own note, as Play's record does.
    static Expected<PendingFile, PlaceFailure> CreateUnderName(const std::filesystem::path& target);
    ~PendingFile();
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&&) = delete;

    Expected<void, PlaceFailure> Write(std::span<const std::uint8_t> bytes);
    // Syncs the new file to the disk (see Durability) and renames it to the target as `placing`
    // allows. Whatever
    // the outcome the new file is gone afterwards: in place, or removed.
    Expected<void, PlaceFailure> Place(Placing placing);

    // Where the file is, or goes: once placed, as the folder spells it (see ReplaceInAnyCase).
    const std::filesystem::path& Target() const { return target_; }
    // The new file's name beside the target; empty for one that has no name until placed.
    const std::filesystem::path& Temporary() const { return temporary_; }
    // The new file's last write time, read from the open file, which placing it leaves as it is:
    // for a writer that notes the time, without looking the file up again by its path. Nothing
    // where the system does not give it so (Windows), or before Write.
    std::optional<std::filesystem::file_time_type> LastWriteTime() const;

private:
    PendingFile(std::filesystem::path target, std::filesystem::path temporary, std::intptr_t file,
                int slot, Durability durability)
        : target_(std::move(target)),
          temporary_(std::move(temporary)),
          file_(file),
          slot_(slot),
          durability_(durability) {}
    void CloseFile();
    void Discard();
    void RemoveUnderName();
    Expected<void, PlaceFailure> LinkUnnamed(Placing placing);
    Expected<void, PlaceFailure> CloseUnderName(Placing placing);
    Expected<void, PlaceFailure> CloseUnderTarget();

    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty once placed or removed
    std::intptr_t file_ = -1;          // the descriptor, or the Windows handle
    int slot_ = -1;                    // where RemovePendingFiles finds it, if anywhere
    Durability durability_ = Durability::Synced;
    bool unnamed_ = false;    // made without a name (see Durability::Unsynced)
    bool underName_ = false;  // made under the target's name (see CreateUnderName)
};

// Writes `bytes` as the file `target` through a PendingFile.
Expected<void, PlaceFailure> PutFile(const std::filesystem::path& target,
                                     std::span<const std::uint8_t> bytes, Placing placing,
                                     Durability durability = Durability::Synced);

// Writes `bytes` as the new file `target`, made under its name at once (see CreateUnderName).
Expected<void, PlaceFailure> PutNewFile(const std::filesystem::path& target,
                                        std::span<const std::uint8_t> bytes);

// Copies the file `source` to `target` through a PendingFile, synced: once it succeeds the copy is
// whole on the disk, so the source may go.
Expected<void, PlaceFailure> CopyFileWhole(const std::filesystem::path& source,
                                           const std::filesystem::path& target, Placing placing);

// Removes every new file not yet placed, of any thread. Only calls that are safe in a signal
// handler (or, on Windows, a console control handler), so that an interrupted program leaves none
// behind; the program is expected to end right after, and no file is made under its name after it
// (CreateUnderName then makes one as Create does).
void RemovePendingFiles() noexcept;
// Said once, before any file is made, by a program whose signal handlers call
// RemovePendingFiles, so that a thread making a file under its name holds its signals for that
// moment; a program that calls it from no handler spares that cost on every file.
void RemovePendingFilesFromSignalHandlers() noexcept;

}  // namespace vrel
