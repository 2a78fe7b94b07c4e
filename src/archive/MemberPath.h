#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Expected.h"

namespace vrel {

// Why a member name cannot be turned into a file under the target folder.
enum class UnsafeName {
    Empty,         // no name at all
    Absolute,      // starts at a root: "\x" or "/x"
    Drive,         // carries a drive or a stream: "c:x", "x:y"
    ParentFolder,  // climbs out with a ".." part
    BadPart,       // an empty or "." part, or a NUL character
    Control,       // a control character (below 0x20, or 0x7F): a tab or a line end among them
};

// Succeeds when the name is a plain relative path; "\" and "/" both count as separators.
Expected<void, UnsafeName> CheckMemberName(std::string_view name);
std::string DescribeUnsafeName(UnsafeName problem);

// The folder levels and the file name of a name that CheckMemberName accepts.
std::vector<std::string_view> MemberPathParts(std::string_view name);

}  // namespace vrel
