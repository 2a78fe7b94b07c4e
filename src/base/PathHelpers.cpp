#include "base/PathHelpers.h"

#include <string>
#include <system_error>

#include "base/CaseBlindPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrel {

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool FileExistsAt(const std::filesystem::path& path) {
    if (!path.has_filename()) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path file = ResolveCaseBlind(path);
    return std::filesystem::is_regular_file(file, error) && !IsHiddenOrSystem(file);
}

bool FolderExistsAt(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(ResolveCaseBlind(folder), error);
}

bool IsHiddenOrSystem(const std::filesystem::path& entry) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    const std::string name = entry.filename().string();
    return name.size() > 1 && name.front() == '.' && name != "..";
#endif
}

std::string GetFileName(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::filesystem::path ProgramFile(const std::filesystem::path& programFolder,
                                  std::string_view name) {
    const std::filesystem::path file(name);
    if (auto found = FindEntryCaseBlind(programFolder, file)) {
        return *found;
    }
    return programFolder / file;
}

std::string PatchesInText() {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    return separator + std::string("Patches") + separator;
}

}  // namespace vrel
