#pragma once

#include <filesystem>

namespace vrel {

// Deletes a file even when it is read-only (as the game's prototypes are left); failures are
// passed over, the file then stays. A symbolic link is removed itself: the mode of what it leads
// to is never changed. True when nothing stands at `file` afterwards.
bool RemoveEvenIfReadOnly(const std::filesystem::path& file);

// Removes the folder only when it is an empty folder: never a file that came to stand under its
// name, nor anything a link leads to. True when it was removed.
bool RemoveEmptyFolder(const std::filesystem::path& folder);

// Leaves a file read-only, as the game expects its prototypes while it runs.
void MakeReadOnly(const std::filesystem::path& file);

}  // namespace vrel
