#pragma once

#include <filesystem>
#include <functional>
#include <system_error>
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

// Lists every entry below `folder`, each found in its own folder, and hands it to `visit` with the
// listing's own entry: a folder before what it holds, one whose name holds a drive not descended
// into. The listing's error that stopped it, if any.
std::error_code WalkFolder(
    const std::filesystem::path& folder,
    const std::function<void(const WalkedEntry&, const std::filesystem::directory_entry&)>& visit);

}  // namespace vrel
