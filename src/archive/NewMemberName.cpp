#include "archive/NewMemberName.h"

#include "archive/DatEntry.h"
#include "archive/GameOrder.h"
#include "archive/MemberPath.h"
#include "base/AnsiText.h"

namespace vrel {

std::string DescribeNameFailure(const NameFailure& refusal) {
    switch (refusal.Kind) {
        case NameProblem::HoldsBackslash:
            return "the name holds a backslash";
        case NameProblem::Unsafe:
            return DescribeUnsafeName(refusal.Unsafe);
        case NameProblem::TooLong:
            return "the name is longer than " + std::to_string(kMaxNameLength) + " characters (" +
                   std::to_string(refusal.Length) + ")";
        case NameProblem::NotWindows1252:
            break;
    }
    return "the name cannot be written in Windows-1252";
}

Expected<std::string, NameFailure> JoinMemberName(const std::vector<std::string>& parts) {
    std::string name;
    for (const std::string& part : parts) {
        if (part.find('\\') != std::string::npos) {
            return Unexpected{NameFailure{NameProblem::HoldsBackslash}};
        }
        name += name.empty() ? "" : "\\";
        name += part;
    }
    if (const auto checked = CheckMemberName(name); !checked) {
        return Unexpected{NameFailure{NameProblem::Unsafe, checked.error()}};
    }
    if (name.size() > static_cast<std::size_t>(kMaxNameLength)) {
        return Unexpected{NameFailure{.Kind = NameProblem::TooLong, .Length = name.size()}};
    }
    return name;
}

Expected<std::string, NameFailure> StrictUtf8ToAnsi(const std::string& utf8) {
    std::string ansi = Utf8ToAnsi(utf8);
    if (AnsiToUtf8(ansi) != utf8) {
        return Unexpected{NameFailure{NameProblem::NotWindows1252}};
    }
    return ansi;
}

std::vector<std::string> CaseTwinRefusals(const std::vector<std::string>& names) {
    std::vector<std::string> refusals;
    for (std::size_t i = 1; i < names.size(); ++i) {
        // The same name twice is not a matter of case; the caller refuses it as what it is.
        if (names[i - 1] != names[i] && GameOrderKey(names[i - 1]) == GameOrderKey(names[i])) {
            refusals.push_back(AnsiToUtf8(names[i]) + ": differs from " + AnsiToUtf8(names[i - 1]) +
                               " only in letter case");
        }
    }
    return refusals;
}

bool MemberNameBefore(const std::string& a, const std::string& b) {
    return GameOrderLess(a, b) || (!GameOrderLess(b, a) && a < b);
}

}  // namespace vrel
