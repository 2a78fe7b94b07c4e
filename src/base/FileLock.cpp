#include "base/FileLock.h"

#include <cerrno>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vrel {

#ifdef _WIN32

Expected<FileLock, LockFailure> FileLock::Take(const std::filesystem::path& path) {
    // Every taker opens the file to be deleted once the last handle goes, so it vanishes with the
    // last holder, and a taker that opens it meanwhile meets the same file and the same lock.
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD why = 0;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 10; ++attempt) {
        file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        why = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        // Access is refused for a moment while the last holder's file is being deleted, and for
        // good in a folder that may not be written: a few tries tell the one from the other.
        if (why != ERROR_ACCESS_DENIED) {
            break;
        }
        Sleep(20);
    }
    if (file == INVALID_HANDLE_VALUE) {
        return Unexpected{LockFailure{
            why == ERROR_SHARING_VIOLATION ? LockProblem::Held : LockProblem::CannotOpen,
            path,
            {static_cast<int>(why), std::system_category()}}};
    }
    OVERLAPPED from{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &from)) {
        const DWORD held = GetLastError();
        CloseHandle(file);
        return Unexpected{
            LockFailure{LockProblem::Held, path, {static_cast<int>(held), std::system_category()}}};
    }
    return FileLock(path, reinterpret_cast<std::intptr_t>(file));
}

void FileLock::Release() {
    if (file_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(std::exchange(file_, -1)));
    }
}

#else

Expected<FileLock, LockFailure> FileLock::Take(const std::filesystem::path& path) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int file = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (file < 0) {
            return Unexpected{
                LockFailure{LockProblem::CannotOpen, path, {errno, std::system_category()}}};
        }
        int locked = 0;
        while ((locked = flock(file, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            const std::error_code error(errno, std::system_category());
            close(file);
            return Unexpected{LockFailure{
                error.value() == EWOULDBLOCK ? LockProblem::Held : LockProblem::CannotOpen, path,
                error}};
        }
        // The holder before removes the file as it lets go: a lock on the removed file is none,
        // so it is taken again on the file that the name holds now.
        struct stat held {};
        struct stat named {};
        if (fstat(file, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return FileLock(path, file);
        }
        close(file);
    }
    return Unexpected{LockFailure{LockProblem::Held, path,
                                  std::make_error_code(std::errc::resource_unavailable_try_again)}};
}

void FileLock::Release() {
    if (file_ != -1) {
        // Removed while still held, so no one takes a lock on a file about to go.
        unlink(path_.c_str());
        close(static_cast<int>(std::exchange(file_, -1)));
    }
}

#endif

FileLock::~FileLock() {
    Release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : path_(std::move(other.path_)), file_(std::exchange(other.file_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        path_ = std::move(other.path_);
        file_ = std::exchange(other.file_, -1);
    }
    return *this;
}

}  // namespace vrel
