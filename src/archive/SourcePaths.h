#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "archive/ModImport.h"

namespace vrel {

// A source's path as its folder levels and file name; a leading "./" is dropped.
std::vector<std::string> SplitPath(const std::string& path);
// The first `count` levels of a path joined with "/".
std::string JoinPath(const std::vector<std::string>& parts, std::size_t count);

bool IsDataFolder(const std::string& part);
// One of the folders under the game's data folder that the game reads mods from.
bool IsGameDataFolder(const std::string& part);

// Where a file outside the game's data belongs, from its name and the folders it is in; nothing
// for the files that systems and archivers add on their own (macOS's __MACOSX and ._ files,
// .DS_Store, Thumbs.db, desktop.ini) and git's own files, which are left out without a word.
std::optional<LeftOutKind> LeftOutKindOf(const std::vector<std::string>& parts);

// Where the game's data lies in a source: below `Depth` folder levels (0, or 1 inside a wrapping
// folder named `Wrapper`), in a `data` folder or at that level itself.
struct DataRoot {
    std::size_t Depth = 0;
    std::string Wrapper;
    bool InDataFolder = false;

    // Whether a file of the source lies under the root. The files at the top of a root that is
    // the level itself are data unless they belong elsewhere (read-mes, game-folder files).
    bool Holds(const std::vector<std::string>& parts) const;
    bool AtTop(const std::vector<std::string>& parts) const;
    // One of the game's folders beside the data folder, which is not taken.
    bool Beside(const std::vector<std::string>& parts) const;
    std::string Shown() const;
};

// The data of the one mod in the source; more than one when several folders each wrap a mod.
std::vector<DataRoot> FindDataRoots(const std::vector<std::vector<std::string>>& paths);

}  // namespace vrel
