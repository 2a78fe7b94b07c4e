#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/MemberPath.h"
#include "base/Expected.h"

namespace vrel {

// The folder levels and file name of a member's target, or why the name is unsafe (see
// CheckMemberName: the launcher and vrel-dat refuse the same names). The parts are views of
// `memberName`, and of "data" where the target goes below the data folder.
Expected<std::vector<std::string_view>, UnsafeName> SafeTargetParts(std::string_view memberName);

}  // namespace vrel
