#include "platform/posix/WineRegistry.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "base/AsciiCase.h"
#include "platform/posix/WineDrives.h"
#include "platform/posix/WineRegFile.h"

namespace vrel {
namespace {

// system.reg of a used prefix is a few megabytes; anything far larger is no registry of Wine.
constexpr std::uintmax_t kMaxFileSize = 256u * 1024u * 1024u;

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileSize) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

// "Software\Wow6432Node\..." for a key under "Software\", else nothing.
std::optional<std::string> Wow6432Path(const std::string& keyPath) {
    constexpr std::string_view kSoftware = "software\\";
    if (!StartsWithIgnoringCase(keyPath, kSoftware)) {
        return std::nullopt;
    }
    return keyPath.substr(0, kSoftware.size()) + "Wow6432Node\\" + keyPath.substr(kSoftware.size());
}

}  // namespace

WineRegistry::WineRegistry(std::optional<std::filesystem::path> prefix)
    : prefix_(std::move(prefix)) {}

std::optional<std::filesystem::path> WineRegistry::PrefixFromEnvironment() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return std::filesystem::path(prefix);
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".wine";
    }
    return std::nullopt;
}

RegistryValue WineRegistry::ReadRegValue(const std::string& keyPath, const std::string& valueName) {
    if (!prefix_) {
        return {};
    }
    const auto text = ReadWholeFile(*prefix_ / "system.reg");
    if (!text) {
        return {};
    }
    std::optional<WineRegKey> key;
    if (const auto wow = Wow6432Path(keyPath)) {
        key = FindWineRegKey(*text, *wow);
    }
    RegistryValue value;
    if (!key || ReadKeyValue(*key, valueName, value) != 0) {
        key = FindWineRegKey(*text, keyPath);
        if (!key || ReadKeyValue(*key, valueName, value) != 0) {
            return {};
        }
    }
    if (const auto* folder = std::get_if<std::string>(&value)) {
        if (auto mapped = WineFolderOf(*prefix_, *folder)) {
            return mapped->string();
        }
    }
    return value;
}

}  // namespace vrel
