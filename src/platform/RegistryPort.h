#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vrel {

// What one registry read gives: nothing, a text (a string value, also when empty) or a 32-bit
// number.
using RegistryValue = std::variant<std::monostate, std::string, std::uint32_t>;

class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    // Reads a value under HKEY_LOCAL_MACHINE, as the game's installer wrote it.
    virtual RegistryValue ReadRegValue(const std::string& keyPath,
                                       const std::string& valueName) = 0;
};

}  // namespace vrel
