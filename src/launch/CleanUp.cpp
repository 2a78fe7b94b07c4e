#include "launch/CleanUp.h"

#include <system_error>

namespace vrel {

void CleanUpGameFolder(UnpackJournal& journal, const std::function<void(int)>& onFile) {
    std::error_code error;
    for (std::size_t k = 0; k < journal.DataDelList.size(); ++k) {
        const std::filesystem::path& file = journal.DataDelList[k];
        std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove(file, error);
        if (onFile) {
            onFile(static_cast<int>(k));
        }
    }
    std::vector<KeptFile> notRestored;
    for (auto kept = journal.keptFiles.rbegin(); kept != journal.keptFiles.rend(); ++kept) {
        // Whatever the game left at that place gives way to the user's own file.
        if (std::filesystem::is_regular_file(
                std::filesystem::symlink_status(kept->original, error))) {
            std::filesystem::permissions(kept->original, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, error);
            std::filesystem::remove(kept->original, error);
        }
        std::filesystem::rename(kept->aside, kept->original, error);
        if (error) {
            notRestored.push_back(*kept);
        }
    }
    if (!journal.keepFolder.empty()) {
        std::filesystem::remove(journal.keepFolder, error);
        std::filesystem::remove(journal.keepFolder.parent_path(), error);
    }
    for (auto folder = journal.createdFolders.rbegin(); folder != journal.createdFolders.rend();
         ++folder) {
        std::filesystem::remove(*folder, error);  // only succeeds when empty
    }
    // A kept file that could not go back stays recorded (and aside), so it is never lost.
    const std::filesystem::path keepFolder =
        notRestored.empty() ? std::filesystem::path() : journal.keepFolder;
    journal = UnpackJournal{};
    journal.keptFiles = std::move(notRestored);
    journal.keepFolder = keepFolder;
}

}  // namespace vrel
