#include "launch/MemberTarget.h"

#include "base/AnsiText.h"

namespace vrel {
namespace {

// Where a member goes, relative to the game folder, as backslash-separated Windows-1252 text: a
// name whose first four characters are "data" in any case already leads into the data folder;
// any other goes below "data\". (So "database.txt" lands in the game folder itself.)
std::string MemberTargetText(std::string_view memberName) {
    if (AnsiToLower(memberName.substr(0, 4)) == "data") {
        return std::string(memberName);
    }
    return "data\\" + std::string(memberName);
}

}  // namespace

Expected<std::vector<std::string>, UnsafeName> SafeTargetParts(std::string_view memberName) {
    if (const auto checked = CheckMemberName(memberName); !checked) {
        return Unexpected{checked.error()};
    }
    const std::string target = MemberTargetText(memberName);
    std::vector<std::string> parts;
    for (const std::string_view part : MemberPathParts(target)) {
        parts.emplace_back(part);
    }
    return parts;
}

}  // namespace vrel
