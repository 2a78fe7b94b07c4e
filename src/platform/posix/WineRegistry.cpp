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

const std::string* WineRegistry::SystemRegText() {
    if (!prefix_) {
        return nullptr;
    }
    // One search reads many keys; the file is read again only when it has changed.
    const std::filesystem::path file = *prefix_ / "system.reg";
    std::error_code error;
    const auto time = std::filesystem::last_write_time(file, error);
    if (error) {
        return nullptr;
    }
    if (!cached_ || time != cachedTime_) {
        cached_.reset();
        auto text = ReadWholeFile(file);
        if (!text) {
            return nullptr;
        }
        cached_ = std::move(text);
        cachedTime_ = time;
    }
    return &*cached_;
}

RegistryValue WineRegistry::ReadRegValue(const std::string& keyPath, const std::string& valueName,
                                         RegistryView view) {
    const std::string* text = SystemRegText();
    if (text == nullptr) {
        return {};
    }
    std::optional<WineRegKey> key;
    RegistryValue value;
    const auto wow = Wow6432Path(keyPath);
    if (view == RegistryView::Bits32 && wow) {
        key = FindWineRegKey(*text, *wow);
    }
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

std::vector<std::string> WineRegistry::SubkeyNames(const std::string& keyPath, RegistryView view) {
    const std::string* text = SystemRegText();
    if (text == nullptr) {
        return {};
    }
    if (const auto wow = Wow6432Path(keyPath); view == RegistryView::Bits32 && wow) {
        if (auto names = WineSubkeyNames(*text, *wow); !names.empty()) {
            return names;
        }
    }
    return WineSubkeyNames(*text, keyPath);
}

std::unique_ptr<RegistryPort> WineRegistry::PrefixRegistry(const std::filesystem::path& prefix) {
    return std::make_unique<WineRegistry>(prefix);
}

}  // namespace vrel
