#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrel {

// Where a member goes, relative to the game folder, as backslash-separated Windows-1252 text: a
// name whose first four characters are "data" in any case already leads into the data folder;
// any other goes below "data\". (So "database.txt" lands in the game folder itself.)
std::string MemberTargetText(std::string_view memberName);

// The folder levels and file name of a member's target, or nothing when the name is unsafe: empty,
// absolute, carrying a drive, climbing with "..", or ending in a separator. Both "\" and "/"
// separate levels, as they do on the game's platform.
std::optional<std::vector<std::string>> SafeTargetParts(std::string_view memberName);

}  // namespace vrel
