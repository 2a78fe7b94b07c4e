#pragma once

#include <cstdint>
#include <filesystem>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

enum class LockProblem {
    Held,        // another process (or another lock of this one) holds it
    CannotOpen,  // the lock file could not be made or opened
};
using LockFailure = Failure<LockProblem>;

// A lock that one process at a time holds on a file, without waiting for it: flock on POSIX,
// LockFileEx on Windows. The system lets go of it when the process ends in any way, so a crash
// never leaves it held; a lock file left behind by one is taken over. The file is made when
// missing and removed when the lock is let go.
class FileLock {
public:
    static Expected<FileLock, LockFailure> Take(const std::filesystem::path& path);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;

private:
    FileLock(std::filesystem::path path, std::intptr_t file)
        : path_(std::move(path)), file_(file) {}
    void Release();

    std::filesystem::path path_;
    std::intptr_t file_ = -1;  // the descriptor, or the Windows handle
};

}  // namespace vrel
