#include "config/SettingsText.h"

#include "base/AnsiText.h"
#include "base/Utf8.h"

namespace vrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Some editors start a file saved as UTF-8 with a byte-order mark, which would hide the first
// header: every switch would then read as off.
bool SkipByteOrderMark(std::string& bytes) {
    if (!bytes.starts_with(kByteOrderMark)) {
        return false;
    }
    bytes.erase(0, kByteOrderMark.size());
    return true;
}

}  // namespace

#ifdef _WIN32
std::string SettingsTextOfFile(std::string bytes) {
    // The mark says the file is UTF-8, not in the code page.
    if (SkipByteOrderMark(bytes)) {
        return Utf8ToAnsi(bytes);
    }
    return bytes;
}

std::string SettingsToDisplay(std::string_view text) {
    return AnsiToUtf8(text);
}

std::string DisplayToSettings(std::string_view display) {
    return Utf8ToAnsi(display);
}

bool SettingsHold(std::string_view display) {
    return AnsiHolds(display);
}

std::filesystem::path SettingsToPath(std::string_view text) {
    return AnsiToNativePath(text);
}

std::string PathToSettings(const std::filesystem::path& path) {
    return NativePathToAnsi(path);
}
#else
std::string SettingsTextOfFile(std::string bytes) {
    SkipByteOrderMark(bytes);
    if (IsUtf8(bytes)) {
        return bytes;
    }
    return AnsiToUtf8(bytes);
}

std::string SettingsToDisplay(std::string_view text) {
    return std::string(text);
}

std::string DisplayToSettings(std::string_view display) {
    return std::string(display);
}

bool SettingsHold(std::string_view display) {
    return IsUtf8(display);
}

std::filesystem::path SettingsToPath(std::string_view text) {
    return std::filesystem::path(text);
}

std::string PathToSettings(const std::filesystem::path& path) {
    return path.native();
}
#endif

}  // namespace vrel
