#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/MemberPath.h"
#include "base/Expected.h"

namespace vrel {

// Where a member goes, relative to the game folder, as backslash-separated Windows-1252 text: a
// name whose first four characters are "data" in any case already leads into the data folder;
// any other goes below "data\". (So "database.txt" lands in the game folder itself.)
std::string MemberTargetText(std::string_view memberName);

// The folder levels and file name of a member's target, or why the name is unsafe (see
// CheckMemberName: the launcher and vrel-dat refuse the same names).
Expected<std::vector<std::string>, UnsafeName> SafeTargetParts(std::string_view memberName);

}  // namespace vrel
