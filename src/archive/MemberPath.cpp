#include "archive/MemberPath.h"

#include <algorithm>

namespace vrel {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Hands each part of a name, split at either separator, to `take` where it stands, until `take`
// says to stop; an empty name is one empty part.
template <class Take>
void ForEachPart(std::string_view name, Take take) {
    for (std::size_t start = 0; start <= name.size();) {
        const auto end =
            static_cast<std::size_t>(std::find_if(name.begin() + static_cast<std::ptrdiff_t>(start),
                                                  name.end(), IsSeparator) -
                                     name.begin());
        if (!take(name.substr(start, end - start))) {
            return;
        }
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string_view> MemberPathParts(std::string_view name) {
    std::vector<std::string_view> parts;
    // One allocation, where growing part by part took one per doubling, for every member.
    parts.reserve(1 +
                  static_cast<std::size_t>(std::count_if(name.begin(), name.end(), IsSeparator)));
    ForEachPart(name, [&](std::string_view part) {
        parts.push_back(part);
        return true;
    });
    return parts;
}

Expected<void, UnsafeName> CheckMemberName(std::string_view name) {
    if (name.empty()) {
        return Unexpected{UnsafeName::Empty};
    }
    if (IsSeparator(name.front())) {
        return Unexpected{UnsafeName::Absolute};
    }
    if (name.find(':') != std::string_view::npos) {
        return Unexpected{UnsafeName::Drive};
    }
    if (name.find('\0') != std::string_view::npos) {
        return Unexpected{UnsafeName::BadPart};
    }
    // Control characters would split the lines of the play record and of listings, and no file
    // of the game's own carries one.
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte != 0 && (byte < 0x20 || byte == 0x7F)) {
            return Unexpected{UnsafeName::Control};
        }
    }
    // Part by part where they stand, as every member of every Play is checked.
    bool badPart = false;
    bool climbs = false;
    ForEachPart(name, [&](std::string_view part) {
        climbs = part == "..";
        badPart = badPart || part.empty() || part == ".";
        return !climbs;
    });
    if (climbs) {
        return Unexpected{UnsafeName::ParentFolder};
    }
    if (badPart) {
        return Unexpected{UnsafeName::BadPart};
    }
    return {};
}

std::string DescribeUnsafeName(UnsafeName problem) {
    switch (problem) {
        case UnsafeName::Empty:
            return "the name is empty";
        case UnsafeName::Absolute:
            return "the name is an absolute path";
        case UnsafeName::Drive:
            return "the name carries a drive or stream (':')";
        case UnsafeName::ParentFolder:
            return "the name climbs out of the folder with '..'";
        case UnsafeName::BadPart:
            return "the name has an empty or '.' part or a NUL character";
        case UnsafeName::Control:
            return "the name holds a control character (a tab or a line end, for example)";
    }
    return "the name is unsafe";
}

}  // namespace vrel
