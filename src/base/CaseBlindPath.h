#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The game's home platform ignores letter case in file names; mods and settings rely on it. On a
// file system that tells case apart, these find the entry that the game's platform would find.
namespace vrel {

// A native file name with its ASCII letters in lower case, for sorting names as the game's
// platform does.
std::string AsciiToLower(std::string_view name);

// Whether two native file names are equal ignoring the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The existing entry of `folder` named `name` in any case; an exact match wins, otherwise the
// first in name order.
std::optional<std::filesystem::path> FindEntryCaseBlind(const std::filesystem::path& folder,
                                                        std::string_view name);

// `path` with each leading component that exists in some case replaced by its real spelling;
// components from the first missing one on are kept as given.
std::filesystem::path ResolveCaseBlind(const std::filesystem::path& path);

}  // namespace vrel
