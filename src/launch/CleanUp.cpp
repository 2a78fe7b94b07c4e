#include "launch/CleanUp.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "base/FileAttributes.h"
#include "base/MoveNoReplace.h"
#include "base/SyncFile.h"

namespace vrel {

void CleanUpGameFolder(UnpackJournal& journal, const std::function<void(int)>& onFile,
                       PlayRecord* record) {
    std::error_code error;
    // What could not be deleted (a read-only folder) stays listed, and in the record, for a later
    // clean-up or the restore.
    std::vector<std::filesystem::path> notDeleted;
    for (std::size_t k = 0; k < journal.DataDelList.size(); ++k) {
        const std::filesystem::path& file = journal.DataDelList[k];
        if (RemoveEvenIfReadOnly(file)) {
            if (record != nullptr) {
                record->Gone(file);
            }
        } else if (std::find(notDeleted.begin(), notDeleted.end(), file) == notDeleted.end()) {
            notDeleted.push_back(file);
        }
        if (onFile) {
            onFile(static_cast<int>(k));
        }
    }
    // Only asked of kept files: most Plays keep none, and sorting thousands of paths costs a
    // good part of a clean-up.
    std::set<std::filesystem::path> written;
    if (!journal.KeptFiles.empty()) {
        written.insert(journal.DataDelList.begin(), journal.DataDelList.end());
    }
    std::set<std::filesystem::path> putBack;
    std::vector<KeptFile> notRestored;
    // The files removed are noted before a player's file takes one's place.
    if (record != nullptr) {
        record->Flush();
    }
    for (auto kept = journal.KeptFiles.rbegin(); kept != journal.KeptFiles.rend(); ++kept) {
        // What the game left where this Play wrote gives way to the user's own file; a newer copy
        // of the user's, kept by a later Play and put back just now, never does.
        if (written.contains(kept->Original) && !putBack.contains(kept->Original) &&
            std::filesystem::is_regular_file(
                std::filesystem::symlink_status(kept->Original, error))) {
            RemoveEvenIfReadOnly(kept->Original);
        }
        if (MoveNoReplace(kept->Aside, kept->Original)) {
            notRestored.push_back(*kept);
        } else {
            putBack.insert(kept->Original);
            if (record != nullptr) {
                record->Back(kept->Original);
            }
        }
    }
    // The user's files are back on the disk before the record that says where they were can go.
    for (const std::filesystem::path& original : putBack) {
        SyncFolder(original.parent_path());
    }
    std::vector<std::filesystem::path> remainingFolders =
        RemoveEmptiedFolders(journal.CreatedFolders);
    // A kept file that could not go back stays recorded (and aside), so it is never lost.
    const std::filesystem::path keepFolder =
        notRestored.empty() ? std::filesystem::path() : journal.KeepFolder;
    journal = UnpackJournal{};
    journal.KeptFiles = std::move(notRestored);
    journal.KeepFolder = keepFolder;
    journal.DataDelList = std::move(notDeleted);
    if (!journal.KeptFiles.empty() || !journal.DataDelList.empty()) {
        journal.CreatedFolders = std::move(remainingFolders);
    }
}

std::vector<std::filesystem::path> RemoveEmptiedFolders(
    const std::vector<std::filesystem::path>& folders) {
    std::vector<std::filesystem::path> remaining;
    std::error_code error;
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        if (!RemoveEmptyFolder(*folder) &&
            std::filesystem::exists(std::filesystem::symlink_status(*folder, error))) {
            remaining.insert(remaining.begin(), *folder);
        }
    }
    return remaining;
}

}  // namespace vrel
