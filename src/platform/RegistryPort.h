#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vrel {

// What one registry read gives: nothing, a text (a string value, also when empty) or a 32-bit
// number.
using RegistryValue = std::variant<std::monostate, std::string, std::uint32_t>;

// Status of reading one value of an open key: 0 when read, the registry's own error code when the
// value cannot be queried, -1 for a value of another type than a string or a 32-bit number.
inline constexpr long kRegistryOtherType = -1;
inline constexpr long kRegistryValueMissing = 2;  // the registry's "file not found"

class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    // Reads a value under HKEY_LOCAL_MACHINE as the game's 32-bit installer wrote it. Texts are
    // UTF-8; a text that names a folder is one this machine can open.
    virtual RegistryValue ReadRegValue(const std::string& keyPath,
                                       const std::string& valueName) = 0;
};

}  // namespace vrel
