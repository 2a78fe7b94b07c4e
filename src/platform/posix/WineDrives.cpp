#include "platform/posix/WineDrives.h"

#include <string>
#include <system_error>

#include "base/CaseBlindPath.h"

namespace vrel {
namespace {

bool IsDriveLetter(char c) {
    const char lower = AsciiLower(c);
    return lower >= 'a' && lower <= 'z';
}

std::optional<std::filesystem::path> DriveFolder(const std::filesystem::path& prefix, char letter) {
    std::error_code error;
    const std::string drive{AsciiLower(letter), ':'};
    const std::filesystem::path link = prefix / "dosdevices" / drive;
    if (std::filesystem::is_directory(link, error)) {
        const std::filesystem::path target = std::filesystem::canonical(link, error);
        return error ? link : target;
    }
    if (drive == "c:" && std::filesystem::is_directory(prefix / "drive_c", error)) {
        return prefix / "drive_c";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> WineFolderOf(const std::filesystem::path& prefix,
                                                  std::string_view windowsPath) {
    if (windowsPath.size() < 2 || !IsDriveLetter(windowsPath[0]) || windowsPath[1] != ':') {
        return std::nullopt;
    }
    if (windowsPath.size() > 2 && windowsPath[2] != '\\' && windowsPath[2] != '/') {
        return std::nullopt;  // a drive-relative path names no fixed folder
    }
    auto folder = DriveFolder(prefix, windowsPath[0]);
    if (!folder) {
        return std::nullopt;
    }
    // As on Windows, ".." at the drive's root stays there.
    int depth = 0;
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (depth > 0) {
                *folder = folder->parent_path();
                --depth;
            }
            continue;
        }
        *folder /= std::string(part);
        ++depth;
    }
    return ResolveCaseBlind(*folder);
}

}  // namespace vrel
