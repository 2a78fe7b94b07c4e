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

}  // namespace

bool ListedNameHoldsDrive(const std::filesystem::path& folder,
                          const std::filesystem::path& listed) {
    return listed.has_root_name() && listed.root_name() != folder.root_name();
}

std::filesystem::path ListedEntryPath(const std::filesystem::path& folder,
                                      const std::filesystem::path& listed) {
    return ListedNameHoldsDrive(folder, listed) ? AppendName(folder, listed) : listed;
}

FolderWalk::FolderWalk(const std::filesystem::path& folder)
    : folders_{folder}, relative_{std::filesystem::path()} {}

WalkedEntry FolderWalk::Place(std::filesystem::recursive_directory_iterator& it) {
    const auto depth = static_cast<std::size_t>(it.depth());
    folders_.resize(depth + 1);
    relative_.resize(depth + 1);
    WalkedEntry entry;
    entry.NameHoldsDrive = ListedNameHoldsDrive(folders_[depth], it->path());
    if (entry.NameHoldsDrive) {
        it.disable_recursion_pending();
        entry.Path = AppendName(folders_[depth], it->path());
        entry.Relative = AppendName(relative_[depth], it->path());
        return entry;
    }
    entry.Path = it->path();
    entry.Relative = relative_[depth] / it->path().filename();
    folders_.push_back(entry.Path);
    relative_.push_back(entry.Relative);
    return entry;
}

}  // namespace vrel
