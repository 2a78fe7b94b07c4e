#include "base/FileAttributes.h"

#include <system_error>

namespace vrel {

void RemoveEvenIfReadOnly(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove(file, error);
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
