#include "FolderSnapshot.h"

#include "TempFolder.h"

namespace vrel::testing {

std::map<std::string, std::string> SnapshotFolder(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        const auto relative = fs::relative(it->path(), folder).generic_string();
        if (it->is_directory()) {
            entries[relative] = "folder";
            continue;
        }
        const auto bytes = ReadFile(it->path());
        const bool readOnly =
            (fs::status(it->path()).permissions() & fs::perms::owner_write) == fs::perms::none;
        entries[relative] = std::string(bytes.begin(), bytes.end()) + (readOnly ? "|ro" : "|rw");
    }
    return entries;
}

}  // namespace vrel::testing
