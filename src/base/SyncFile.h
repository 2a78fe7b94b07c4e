#pragma once

#include <cstdint>
#include <cstdio>
#include <system_error>

namespace vrel {

// Puts what was written to a file on the disk, so that it survives a power cut (fsync, or
// FlushFileBuffers on Windows); the system's reason when it could not. `file` is a descriptor,
// or on Windows a HANDLE.
std::error_code SyncFile(std::intptr_t file);
// The same for a stream, its buffer handed to the system first.
std::error_code SyncFile(std::FILE* file);

}  // namespace vrel
