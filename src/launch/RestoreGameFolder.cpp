#include "launch/RestoreGameFolder.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>

#include "base/FileAttributes.h"
#include "base/MoveNoReplace.h"
#include "base/SyncFile.h"
#include "base/TargetFolders.h"
#include "launch/CleanUp.h"

namespace vrel {
namespace {

// Puts the user's file back at `original`, or right beside it when something holds the place:
// nothing that stands there is replaced. Gives where it went, or nothing.
std::optional<std::filesystem::path> PutBack(const std::filesystem::path& aside,
                                             const std::filesystem::path& original) {
    std::filesystem::path target = original;
    std::error_code moved = MoveNoReplace(aside, target);
    for (int n = 1; moved == std::errc::file_exists && n <= 100; ++n) {
        target = original;
        target += n == 1 ? std::string(".before-vrel") : ".before-vrel-" + std::to_string(n);
        moved = MoveNoReplace(aside, target);
    }
    if (moved) {
        return std::nullopt;
    }
    return target;
}

struct FileState {
    std::filesystem::path gameFolder;
    bool whole = false;
    bool gone = false;
    std::uintmax_t size = 0;
    std::int64_t time = 0;
};
struct Kept {
    std::filesystem::path original, aside, gameFolder;
    bool back = false;
};

// Notes in the record what the restore has done, so that after a restore cut short the next one
// knows the files it put back for the player's, not for mod files changed since.
class RestoreNotes {
public:
    explicit RestoreNotes(const RecordedPlay& play) {
        auto record = PlayRecord::Start(play.RecordFile.parent_path(), play.GameFolder);
        if (record) {
            record_.emplace(std::move(*record));
            gameFolder_ = play.GameFolder;
        }
    }
    void Gone(const std::filesystem::path& file, const std::filesystem::path& gameFolder) {
        if (In(gameFolder)) {
            record_->Gone(file);
        }
    }
    void Back(const std::filesystem::path& file, const std::filesystem::path& gameFolder) {
        if (In(gameFolder)) {
            record_->Back(file);
        }
    }
    void Flush() {
        if (record_) {
            record_->Flush();
        }
    }

private:
    bool In(const std::filesystem::path& gameFolder) {
        if (record_ && gameFolder != gameFolder_ && record_->Game(gameFolder)) {
            gameFolder_ = gameFolder;
        }
        return record_ && gameFolder == gameFolder_;
    }

    std::optional<PlayRecord> record_;
    std::filesystem::path gameFolder_;
};
// What the record says the play left in the game folder: each file it wrote as last noted, the
// user's files it moved aside, the folders it made.
struct RecordedChanges {
    std::map<std::filesystem::path, FileState> files;
    std::vector<std::filesystem::path> fileOrder;
    std::vector<Kept> kept;
    std::vector<std::filesystem::path> folders;
};

// The record's steps within their game folder; a path outside it is noted as left alone.
RecordedChanges ReadRecordedChanges(const RecordedPlay& play, RestoreOutcome& outcome) {
    RecordedChanges changes;
    auto& [files, fileOrder, kept, folders] = changes;
    auto inside = [&outcome](const std::filesystem::path& path,
                             const std::filesystem::path& gameFolder) {
        if (LiesInside(path, gameFolder)) {
            return true;
        }
        if (std::find(outcome.LeftAlone.begin(), outcome.LeftAlone.end(), path) ==
            outcome.LeftAlone.end()) {
            outcome.LeftAlone.push_back(path);
        }
        return false;
    };
    for (const RecordedPlay::Step& step : play.Steps) {
        if (step.Kind == "ended" || !inside(step.Path, step.GameFolder) ||
            (step.Kind == "keep" && !inside(step.Aside, step.GameFolder))) {
            continue;
        }
        // Each file under one name, however the Play reached it.
        const std::filesystem::path path = ResolvedPath(step.Path);
        if (step.Kind == "write" || step.Kind == "wrote" || step.Kind == "gone") {
            if (!files.contains(path)) {
                fileOrder.push_back(path);
            }
            FileState& state = files[path];
            state = FileState{.gameFolder = step.GameFolder,
                              .whole = step.Kind == "wrote",
                              .gone = step.Kind == "gone",
                              .size = step.Size,
                              .time = step.Time};
        } else if (step.Kind == "keep") {
            kept.push_back({path, step.Aside, step.GameFolder});
        } else if (step.Kind == "back") {
            for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
                if (it->original == path && !it->back) {
                    it->back = true;
                    break;
                }
            }
            files[path].gone = true;
        } else if (step.Kind == "folder") {
            folders.push_back(path);
        }
    }
    return changes;
}

// Removes the files the play wrote that are still as written; a changed one is kept and noted.
void RemoveWrittenFiles(RecordedChanges& changes, RestoreOutcome& outcome, RestoreNotes& notes) {
    auto& files = changes.files;
    std::error_code error;
    // Paths whose user's file was moved aside and has not been noted back: whether its copy still
    // waits aside.
    std::map<std::filesystem::path, bool> copyAside;
    for (const Kept& file : changes.kept) {
        if (!file.back) {
            copyAside[file.original] =
                copyAside[file.original] ||
                std::filesystem::exists(std::filesystem::symlink_status(file.aside, error));
        }
    }
    for (const std::filesystem::path& file : changes.fileOrder) {
        const FileState& state = files[file];
        if (state.gone ||
            !std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error))) {
            continue;
        }
        // The user's file that was kept aside and is no longer there was moved back (its
        // replacement could not be created): what stands here is theirs.
        const auto keptHere = copyAside.find(file);
        if (!state.whole && keptHere != copyAside.end() && !keptHere->second) {
            continue;
        }
        // A file cut off while being written is ours; a whole one is ours only while unchanged.
        if (!state.whole || (std::filesystem::file_size(file, error) == state.size &&
                             RecordedWriteTime(file) == state.time)) {
            if (RemoveEvenIfReadOnly(file)) {
                notes.Gone(file, state.gameFolder);
            } else {
                outcome.NotRemoved.push_back(file);
            }
        } else {
            outcome.ChangedKept.push_back(file);
        }
    }
}

// Puts the user's files back from aside, the last kept first.
void PutKeptFilesBack(const std::vector<Kept>& kept, RestoreOutcome& outcome, RestoreNotes& notes) {
    // The files removed are noted before a player's file takes one's place.
    notes.Flush();
    std::error_code error;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        if (it->back ||
            !std::filesystem::exists(std::filesystem::symlink_status(it->aside, error))) {
            continue;
        }
        const auto placed = PutBack(it->aside, it->original);
        if (placed) {
            // On the disk before the record that says where it was can go.
            SyncFolder(placed->parent_path());
        }
        if (!placed) {
            outcome.NotRestored.push_back(it->original);
        } else if (*placed == it->original) {
            notes.Back(it->original, it->gameFolder);
        } else {
            // A changed file holds the place: the user's own went right beside it.
            outcome.PlacedBeside.push_back(*placed);
        }
    }
}

}  // namespace

RestoreOutcome RestoreGameFolder(const RecordedPlay& play,
                                 const std::function<void()>& beforeRemovingRecord) {
    RestoreOutcome outcome;
    RecordedChanges changes = ReadRecordedChanges(play, outcome);
    {
        // Closed before the record may be removed: Windows removes no file that is open.
        RestoreNotes notes(play);
        RemoveWrittenFiles(changes, outcome, notes);
        PutKeptFilesBack(changes.kept, outcome, notes);
    }
    RemoveEmptiedFolders(changes.folders);
    if (outcome.NotRestored.empty() && outcome.NotRemoved.empty()) {
        if (beforeRemovingRecord) {
            beforeRemovingRecord();
        }
        std::error_code error;
        std::filesystem::remove(play.RecordFile, error);
    }
    return outcome;
}

}  // namespace vrel
