#include "base/SyncFile.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vrel {

std::error_code SyncFile(std::intptr_t file) {
#ifdef _WIN32
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(file))) {
        return {static_cast<int>(GetLastError()), std::system_category()};
    }
#else
    if (fsync(static_cast<int>(file)) != 0) {
        return {errno, std::system_category()};
    }
#endif
    return {};
}

void CloseNativeFile(std::intptr_t file) {
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(file));
#else
    close(static_cast<int>(file));
#endif
}

std::error_code SyncFile(std::FILE* file) {
    errno = 0;
    if (std::fflush(file) != 0) {
        return {errno != 0 ? errno : EIO, std::generic_category()};
    }
#ifdef _WIN32
    return SyncFile(static_cast<std::intptr_t>(_get_osfhandle(_fileno(file))));
#else
    return SyncFile(static_cast<std::intptr_t>(fileno(file)));
#endif
}

std::error_code SyncFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
    return {};
#else
    const int file = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (file < 0) {
        return {errno, std::system_category()};
    }
    const std::error_code error = SyncFile(static_cast<std::intptr_t>(file));
    close(file);
    return error;
#endif
}

}  // namespace vrel
