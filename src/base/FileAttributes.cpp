#include "base/FileAttributes.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vrel {

bool RemoveEvenIfReadOnly(const std::filesystem::path& file) {
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
