#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/AsciiCase.h"

// The game's home platform ignores letter case in file names; mods and settings rely on it. On a
// file system that tells case apart, these find the entry that the game's platform would find.
namespace vrel {

// The existing entry of `folder` named `name` in any case; an exact match wins, otherwise the
// first in name order. The name is a path, so a user's file name reaches the file system as it is.
std::optional<std::filesystem::path> FindEntryCaseBlind(const std::filesystem::path& folder,
                                                        const std::filesystem::path& name);

// `path` with each leading component that exists in some case replaced by its real spelling;
// components from the first missing one on are kept as given.
std::filesystem::path ResolveCaseBlind(const std::filesystem::path& path);

}  // namespace vrel
