#include "launch/MemberTarget.h"

#include "archive/AnsiText.h"

namespace vrel {

std::string MemberTargetText(std::string_view memberName) {
    if (AnsiToLower(memberName.substr(0, 4)) == "data") {
        return std::string(memberName);
    }
    return "data\\" + std::string(memberName);
}

std::optional<std::vector<std::string>> SafeTargetParts(std::string_view memberName) {
    if (memberName.empty() || memberName.front() == '\\' || memberName.front() == '/' ||
        memberName.back() == '\\' || memberName.back() == '/' ||
        memberName.find(':') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string target = MemberTargetText(memberName);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= target.size()) {
        const std::size_t end = target.find_first_of("\\/", start);
        const std::string part =
            target.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") {
            return std::nullopt;
        }
        // Empty and "." levels lead nowhere new; the game's platform folds them away too.
        if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    if (parts.empty()) {
        return std::nullopt;
    }
    return parts;
}

}  // namespace vrel
