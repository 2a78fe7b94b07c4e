#include "base/MoveNoReplace.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

namespace vrel {

std::error_code MoveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists; written through,
    // the move is on the disk when it returns.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
        return {};
    }
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        return std::make_error_code(std::errc::file_exists);
    }
    return {static_cast<int>(code), std::system_category()};
#else
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return {errno, std::generic_category()};
    }
    // A file system without the exclusive rename: a hard link fails as well when the target
    // exists (folders are not moved this way).
    if (link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return {};
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) {
        return {errno, std::generic_category()};
    }
    // Nor hard links (FAT): the name is looked at first.
    struct stat taken {};
    if (lstat(to.c_str(), &taken) == 0) {
        return std::make_error_code(std::errc::file_exists);
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        return {errno, std::generic_category()};
    }
    return {};
#endif
}

}  // namespace vrel
