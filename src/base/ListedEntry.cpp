#include "base/ListedEntry.h"

namespace vrel {
namespace {

// Appended as text: joining would make the name's drive replace the folder again.
std::filesystem::path AppendName(const std::filesystem::path& folder,
                                 const std::filesystem::path& name) {
    if (folder.empty()) {
        return name;
    }
    std::filesystem::path entry = folder;
    entry /= std::filesystem::path();
    entry += name.native();
    return entry;
}

// Follows a recursive listing of one folder, so each entry is found in its own folder.
class FolderWalk {
public:
    explicit FolderWalk(const std::filesystem::path& folder)
        : folders_{folder}, relative_{std::filesystem::path()} {}

    // The entry `it` is at. One whose name holds a drive is not descended into.
    WalkedEntry Place(std::filesystem::recursive_directory_iterator& it);

private:
    std::vector<std::filesystem::path> folders_;   // the folder of each depth
    std::vector<std::filesystem::path> relative_;  // the same, relative to the first
};

}  // namespace

bool ListedNameHoldsDrive(const std::filesystem::path& folder,
                          const std::filesystem::path& listed) {
    return listed.has_root_name() && listed.root_name() != folder.root_name();
}

std::filesystem::path ListedEntryPath(const std::filesystem::path& folder,
                                      const std::filesystem::path& listed) {
    return ListedNameHoldsDrive(folder, listed) ? AppendName(folder, listed) : listed;
}

WalkedEntry FolderWalk::Place(std::filesystem::recursive_directory_iterator& it) {
    const auto depth = static_cast<std::size_t>(it.depth());
    folders_.resize(depth + 1);
    relative_.resize(depth + 1);
    WalkedEntry entry;
    entry.NameHoldsDrive = ListedNameHoldsDrive(folders_[depth], it->path());
    entry.Path = ListedEntryPath(folders_[depth], it->path());
    if (entry.NameHoldsDrive) {
        it.disable_recursion_pending();
        entry.Relative = AppendName(relative_[depth], it->path());
        return entry;
    }
    entry.Relative = relative_[depth] / it->path().filename();
    folders_.push_back(entry.Path);
    relative_.push_back(entry.Relative);
    return entry;
}

std::error_code WalkFolder(
    const std::filesystem::path& folder,
    const std::function<void(const WalkedEntry&, const std::filesystem::directory_entry&)>& visit) {
    std::error_code error;
    std::filesystem::recursive_directory_iterator it(folder, error), end;
    FolderWalk walk(folder);
    for (; !error && it != end; it.increment(error)) {
        visit(walk.Place(it), *it);
    }
    return error;
}

}  // namespace vrel
