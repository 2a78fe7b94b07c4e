#pragma once

#include <filesystem>
#include <vector>

namespace vrel {

// A folder listing joins each name to the folder. On Windows a name such as "c:x.txt" (Wine lists
// Unix files so) then stands for itself, a file on drive C:, and no longer for an entry of the
// folder: opening, removing or descending into that path reaches something else or nothing.

// Whether `listed`, from a listing of `folder`, lost its folder that way. Such a name holds a drive
// or stream, which no file of the system's own has.
bool ListedNameHoldsDrive(const std::filesystem::path& folder, const std::filesystem::path& listed);

// The entry of `folder` that the listing gave as `listed`: the name put back inside the folder.
std::filesystem::path ListedEntryPath(const std::filesystem::path& folder,
                                      const std::filesystem::path& listed);

struct WalkedEntry {
    std::filesystem::path Path;      // the entry, inside its folder
    std::filesystem::path Relative;  // the same, relative to the folder walked
    bool NameHoldsDrive = false;
};

// Follows a recursive listing of one folder, so each entry is found in its own folder.
class FolderWalk {
public:
    explicit FolderWalk(const std::filesystem::path& folder);

    // The entry `it` is at. One whose name holds a drive is not descended into.
    WalkedEntry Place(std::filesystem::recursive_directory_iterator& it);

private:
    std::vector<std::filesystem::path> folders_;   // the folder of each depth
    std::vector<std::filesystem::path> relative_;  // the same, relative to the first
};

}  // namespace vrel
