#pragma once

#include <filesystem>

namespace vrel {

// Deletes a file even when it is read-only (as the game's prototypes are left); failures are
// passed over, the file then stays.
void RemoveEvenIfReadOnly(const std::filesystem::path& file);

// Leaves a file read-only, as the game expects its prototypes while it runs.
void MakeReadOnly(const std::filesystem::path& file);

}  // namespace vrel
