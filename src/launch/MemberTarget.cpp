#include "launch/MemberTarget.h"

#include "base/AnsiText.h"

namespace vrel {
namespace {

// Whether a member already leads into the data folder: a name whose first four characters are
// "data" in any case does; any other goes below "data\". (So "database.txt" lands in the game
// folder itself.)
bool LeadsIntoData(std::string_view memberName) {
    return AnsiToLower(memberName.substr(0, 4)) == "data";
}

}  // namespace

Expected<std::vector<std::string_view>, UnsafeName> SafeTargetParts(std::string_view memberName) {
    if (const auto checked = CheckMemberName(memberName); !checked) {
        return Unexpected{checked.error()};
    }
    std::vector<std::string_view> parts = MemberPathParts(memberName);
    if (!LeadsIntoData(memberName)) {
        parts.insert(parts.begin(), "data");
    }
    return parts;
}

}  // namespace vrel
