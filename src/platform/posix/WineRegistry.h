#pragma once

#include <filesystem>
#include <optional>

#include "platform/RegistryPort.h"

namespace vrel {

// The registry as Windows programs run by Wine see it: HKEY_LOCAL_MACHINE is the prefix's
// system.reg. A 32-bit installer in a 64-bit prefix writes under Software\Wow6432Node, so the
// 32-bit view reads that first; the 64-bit view reads only the key as named. A text naming a folder
// by drive letter comes back as this machine's folder.
class WineRegistry final : public RegistryPort {
public:
    // Without a prefix nothing is ever found.
    explicit WineRegistry(std::optional<std::filesystem::path> prefix);

    // $WINEPREFIX, or ~/.wine when it is unset or empty; nothing without a home folder either.
    static std::optional<std::filesystem::path> PrefixFromEnvironment();

    RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName,
                               RegistryView view = RegistryView::Bits32) override;
    std::vector<std::string> SubkeyNames(const std::string& keyPath, RegistryView view) override;
    std::unique_ptr<RegistryPort> PrefixRegistry(const std::filesystem::path& prefix) override;

private:
    const std::string* SystemRegText();

    std::optional<std::filesystem::path> prefix_;
    std::optional<std::string> cached_;
    std::filesystem::file_time_type cachedTime_;
};

}  // namespace vrel
