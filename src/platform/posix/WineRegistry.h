#pragma once

#include <filesystem>
#include <optional>

#include "platform/RegistryPort.h"

namespace vrel {

// The registry as Windows programs run by Wine see it: HKEY_LOCAL_MACHINE is the prefix's
// system.reg. A 32-bit installer in a 64-bit prefix writes under Software\Wow6432Node, so that
// view is read first. A text naming a folder by drive letter comes back as this machine's folder.
class WineRegistry final : public RegistryPort {
public:
    // Without a prefix nothing is ever found.
    explicit WineRegistry(std::optional<std::filesystem::path> prefix);

    // $WINEPREFIX, or ~/.wine when it is unset or empty; nothing without a home folder either.
    static std::optional<std::filesystem::path> PrefixFromEnvironment();

    RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName) override;

private:
    std::optional<std::filesystem::path> prefix_;
};

}  // namespace vrel
