#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/RegistryPort.h"

// Wine keeps each registry hive as a text file in its prefix (system.reg for HKEY_LOCAL_MACHINE):
// a "WINE REGISTRY Version 2" line, then keys as "[Software\\Vendor] <time>" lines, each followed
// by its values as "name"=data lines. These read it without trusting it: anything malformed
// counts as not there.
namespace vrel {

// One key's values as they stand in the file: the unescaped value name ("" for the default value,
// written @) and the data text after the "=", continuation lines joined.
struct WineRegKey {
    std::vector<std::pair<std::string, std::string>> Values;
};

// The key at `keyPath` (relative to the hive's root, separated by backslashes, matched ignoring
// case), or nothing when the text is no Wine registry file or lacks the key.
std::optional<WineRegKey> FindWineRegKey(std::string_view fileText, std::string_view keyPath);

// The names of the keys right under `keyPath`, each once, in the order the file first names them;
// none when the text is no Wine registry file.
std::vector<std::string> WineSubkeyNames(std::string_view fileText, std::string_view keyPath);

// Reads one value of a key found above, as the registry would: 0 and the text for a string value,
// 0 and the number for a dword value, kRegistryValueMissing when there is no such value,
// kRegistryOtherType for any other type or for data that cannot be read.
long ReadKeyValue(const WineRegKey& key, std::string_view valueName, RegistryValue& value);

// The text of a quoted Wine string starting at `quoted[0] == '"'`, escapes undone and made UTF-8;
// `consumed` receives the length through the closing quote. Nothing when it is not terminated.
std::optional<std::string> UnquoteWineString(std::string_view quoted, std::size_t& consumed);

}  // namespace vrel
