#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vrel {

// Puts what was written to a file on the disk, so that it survives a power cut (fsync, or
// FlushFileBuffers on Windows); the system's reason when it could not. `file` is a descriptor,
// or on Windows a HANDLE.
std::error_code SyncFile(std::intptr_t file);
// Closes a descriptor, or on Windows a HANDLE, that this program opened.
void CloseNativeFile(std::intptr_t file);
// The same for a stream, its buffer handed to the system first.
std::error_code SyncFile(std::FILE* file);
// Puts a folder's entries (names made, moved or removed in it) on the disk. On Windows, whose file
// systems write such changes to their journal in order, there is nothing to do.
std::error_code SyncFolder(const std::filesystem::path& folder);

}  // namespace vrel
