#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "archive/DatProblem.h"
#include "archive/MemberPath.h"
#include "archive/MemberReader.h"
#include "base/TargetFolders.h"
#include "config/VrelCFG.h"
#include "launch/PlayRecord.h"
#include "launch/UnpackJournal.h"

namespace vrel {

class DatWalk;

enum class UnpackProblem {
    Unreadable,            // the archive or the member cannot be read whole: a DatProblem says why
    NameLeadsOutside,      // the member's name is unsafe (an UnsafeName): it may lead outside
    TargetRefused,         // the game folder has no place for the file: a TargetFailure says why
    CannotKeepAside,       // the user's own file at the path could not be moved aside
    KeepFolderNotAFolder,  // the folder for kept files, the path, is a link or a file
    CannotCreate,          // the file at the path could not be created
    CannotWrite,           // writing the file at the path failed part-way (the disk may be full)
};

// A file of the game folder and what the system said of it.
struct FileError {
    std::filesystem::path Path;
    std::error_code Error;
};

// A member (or a whole archive, with an empty member) that was not unpacked, and why: the kind,
// with the details its comment above names.
struct UnpackFailure {
    std::string Archive;  // as shown (display text)
    std::string Member;   // Windows-1252, as stored
    UnpackProblem Kind = UnpackProblem::Unreadable;
    std::variant<DatProblem, UnsafeName, TargetFailure, FileError> Detail;
};

using NativeText = std::filesystem::path::string_type;

// How an Unpacker reads: the threads that read ahead and inflate, and with which library.
struct UnpackEngine {
    int threads = 1;
    Inflater inflater = Inflater::Fastest;
};

// Unpacks mod archives into the game folder, member by member, recording in the journal what it
// changes. Members that cannot be unpacked are skipped and reported; a write that fails part-way
// (a full disk), or a step that cannot be recorded, stops the unpacking. Each member's place is
// made ready (its folders, the player's file kept aside, its line in the record) in directory
// order on the caller's thread; its inflating and writing then run on the engine's threads, a
// batch of members at a time once their lines are on the disk, and what became of each is taken
// back in directory order, so the problems, the journal and the record read as with one thread.
class Unpacker {
public:
    // With a record, every step is written to it before it is taken.
    Unpacker(std::filesystem::path gameFolder, const CfgGeneral& settings, UnpackJournal& journal,
             PlayRecord* record = nullptr, UnpackEngine engine = {});

    // Called before each member with its 1-based number and the archive's FilesTotal.
    using MemberStep = std::function<void(std::int32_t number, std::int32_t filesTotal)>;

    // Unpacks every member of one archive, naming it in problems as `archiveName` (display text).
    // Fails with the write that failed, when unpacking must stop.
    Expected<void, UnpackFailure> UnpackArchive(const std::filesystem::path& archive,
                                                const std::string& archiveName,
                                                const MemberStep& onMember);

    const std::vector<UnpackFailure>& Problems() const { return problems_; }

private:
    struct MemberWrite;  // one member on its way into the game folder
    enum class WriteOutcome { Ready, Skipped, Failed };

    // Makes the target ready for a member's file: the player's file kept aside (or the file there
    // marked to be replaced) and the write noted in the record, not yet synced.
    // `listed`: the game folder's listing has something at the target.
    WriteOutcome PrepareWrite(const std::filesystem::path& target, bool listed,
                              UnpackFailure& problem, bool& keptAside, bool& replacesFile);
    static void WriteFile(const DatWalk& walk, MemberWrite& write, Inflater inflater,
                          std::atomic<bool>& writeFailed);
    void TakeWrite(MemberWrite& write);
    void PutKeptFileBack(const std::filesystem::path& target);
    // The write that stops the unpacking: what is still in flight is only taken into the journal.
    void Stop(UnpackFailure failure);
    // One name for a file however it was reached (see ResolvedPath), with each folder resolved
    // once.
    NativeText FileKey(const std::filesystem::path& target);
    enum class KeepOutcome { Kept, CannotKeep };
    Expected<KeepOutcome, RecordFailure> KeepAside(const std::filesystem::path& target);
    // False (with `problem` telling why) when a step could not be recorded: it is not taken.
    bool Recorded(const Noted& noted, UnpackFailure& problem) const;

    std::filesystem::path gameFolder_;
    const CfgGeneral& settings_;
    UnpackJournal& journal_;
    PlayRecord* record_;
    UnpackEngine engine_;
    TargetFolders targets_;
    // Each file of this Play (by FileKey) with the number of the last write set going to it:
    // one numbered above taken_ is still being written by the engine's threads.
    std::unordered_map<NativeText, std::uint64_t> writtenThisPlay_;
    std::uint64_t setGoing_ = 0;
    std::uint64_t taken_ = 0;
    // Each folder as written (with its separator) and as resolved; the last one looked up.
    std::unordered_map<NativeText, NativeText> resolvedFolders_;
    const std::pair<const NativeText, NativeText>* lastFolder_ = nullptr;
    std::string lastWritten_;  // the member last written, named should its held line fail
    // A write failed: what is still in flight is only taken into the journal.
    bool stopped_ = false;
    std::vector<UnpackFailure> problems_;
    std::optional<UnpackFailure> writeFailure_;
    std::filesystem::path keepRefused_;  // the folder for kept files, when it is no real folder
};

}  // namespace vrel
