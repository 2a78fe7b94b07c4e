#include "base/FileAttributes.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <cerrno>
#endif

namespace vrel {

bool RemoveEvenIfReadOnly(const std::filesystem::path& file) {
#ifndef _WIN32
    // Here a file's own mode never stands in the way of removing it, and the call removes no
    // folder: one call, as the thousands of files of a clean-up want.
    if (unlink(file.c_str()) == 0 || errno == ENOENT) {
        return true;
    }
    if (errno != EISDIR && errno != EPERM) {
        return false;
    }
#endif
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
        std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove(file, error);
    return std::filesystem::symlink_status(file, error).type() ==
           std::filesystem::file_type::not_found;
}

bool RemoveEmptyFolder(const std::filesystem::path& folder) {
    // The system's own call for folders refuses a file and a folder that holds anything in the
    // same step as the removal, and never goes through a link.
#ifdef _WIN32
    return RemoveDirectoryW(folder.c_str()) != 0;
#else
    return rmdir(folder.c_str()) == 0;
#endif
}

void MakeReadOnly(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, error);
}

}  // namespace vrel
