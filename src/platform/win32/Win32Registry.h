#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/RegistryPort.h"

namespace vrel {

// Reads one value of an open key: 0 and the value for a string or a 32-bit number, the
// registry's error code when the value cannot be queried, kRegistryOtherType for another type.
long ReadKeyValue(HKEY key, const std::wstring& valueName, RegistryValue& value);

// The registry of Windows. The game's installer is a 32-bit program, so its key is read from the
// 32-bit view also by a 64-bit build, unless the 64-bit view is asked for.
class Win32Registry final : public RegistryPort {
public:
    RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName,
                               RegistryView view = RegistryView::Bits32) override;
    std::vector<std::string> SubkeyNames(const std::string& keyPath, RegistryView view) override;
};

}  // namespace vrel
