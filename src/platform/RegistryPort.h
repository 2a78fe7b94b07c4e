#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vrel {

// What one registry read gives: nothing, a text (a string value, also when empty) or a 32-bit
// number.
using RegistryValue = std::variant<std::monostate, std::string, std::uint32_t>;

// Status of reading one value of an open key: 0 when read, the registry's own error code when the
// value cannot be queried, -1 for a value of another type than a string or a 32-bit number.
inline constexpr long kRegistryOtherType = -1;
inline constexpr long kRegistryValueMissing = 2;  // the registry's "file not found"

// Which of the two views of 64-bit Windows: 32-bit programs (the game's installer, GOG's and
// Steam's clients) write the 32-bit one.
enum class RegistryView { Bits32, Bits64 };

class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    // Reads a value under HKEY_LOCAL_MACHINE in `view`. Texts are UTF-8; a text that names a
    // folder is one this machine can open.
    virtual RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName,
                                       RegistryView view = RegistryView::Bits32) = 0;
    // The names of the keys right under `keyPath` in `view`; none when it cannot be opened.
    virtual std::vector<std::string> SubkeyNames(const std::string& keyPath, RegistryView view) = 0;
    // The registry of the Wine prefix at `prefix` (Steam's Proton prefix of a game); nothing
    // where Windows programs run without Wine.
    virtual std::unique_ptr<RegistryPort> PrefixRegistry(const std::filesystem::path& prefix) {
        (void)prefix;
        return nullptr;
    }
};

}  // namespace vrel
