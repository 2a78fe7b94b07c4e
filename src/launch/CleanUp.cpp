#include "launch/CleanUp.h"

#include <system_error>

#include "base/FileAttributes.h"
#include "base/MoveNoReplace.h"

namespace vrel {

void CleanUpGameFolder(UnpackJournal& journal, const std::function<void(int)>& onFile,
                       PlayRecord* record) {
    std::error_code error;
    for (std::size_t k = 0; k < journal.DataDelList.size(); ++k) {
        const std::filesystem::path& file = journal.DataDelList[k];
        RemoveEvenIfReadOnly(file);
        if (record != nullptr) {
            record->Gone(file);
        }
        if (onFile) {
            onFile(static_cast<int>(k));
        }
    }
    std::vector<KeptFile> notRestored;
    for (auto kept = journal.keptFiles.rbegin(); kept != journal.keptFiles.rend(); ++kept) {
        // Whatever the game left at that place gives way to the user's own file.
        if (std::filesystem::is_regular_file(
                std::filesystem::symlink_status(kept->original, error))) {
            RemoveEvenIfReadOnly(kept->original);
        }
        if (MoveNoReplace(kept->aside, kept->original)) {
            notRestored.push_back(*kept);
        } else if (record != nullptr) {
            record->Back(kept->original);
        }
    }
    std::vector<std::filesystem::path> remainingFolders =
        RemoveEmptiedFolders(journal.createdFolders);
    // A kept file that could not go back stays recorded (and aside), so it is never lost.
    const std::filesystem::path keepFolder =
        notRestored.empty() ? std::filesystem::path() : journal.keepFolder;
    journal = UnpackJournal{};
    journal.keptFiles = std::move(notRestored);
    journal.keepFolder = keepFolder;
    if (!journal.keptFiles.empty()) {
        journal.createdFolders = std::move(remainingFolders);
    }
}

std::vector<std::filesystem::path> RemoveEmptiedFolders(
    const std::vector<std::filesystem::path>& folders) {
    std::vector<std::filesystem::path> remaining;
    std::error_code error;
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        if (!std::filesystem::remove(*folder, error) && std::filesystem::exists(*folder, error)) {
            remaining.insert(remaining.begin(), *folder);
        }
    }
    return remaining;
}

}  // namespace vrel
