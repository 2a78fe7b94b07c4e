#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/MemberPath.h"
#include "base/Expected.h"

namespace vrel {

// Why a file cannot become a member.
enum class NameProblem {
    HoldsBackslash,  // a folder level or file name holds a backslash
    Unsafe,          // the joined name is unsafe: `Unsafe` says how
    TooLong,         // longer than the name field: `Length` characters
    NotWindows1252,  // some character has no Windows-1252 form
};

struct NameFailure {
    NameProblem Kind;
    UnsafeName Unsafe = UnsafeName::Empty;
    std::size_t Length = 0;
};

// A short English description, for the refusals that import and vrel-dat pack list.
std::string DescribeNameFailure(const NameFailure& refusal);

// Joins the folder levels and file name of a file (each Windows-1252 text) into a member name
// that the project's readers give back unchanged, or says why the file cannot become a member:
// a part holding a backslash, an unsafe name, or one longer than kMaxNameLength.
Expected<std::string, NameFailure> JoinMemberName(const std::vector<std::string>& parts);

// The Windows-1252 form of UTF-8 text, or nothing when some character has none.
Expected<std::string, NameFailure> StrictUtf8ToAnsi(const std::string& utf8);

// Names that equal the one before them but for letter case, as "<name>: differs from <other>
// only in letter case" (display text). `names` are sorted in the game's order.
std::vector<std::string> CaseTwinRefusals(const std::vector<std::string>& names);

// Sorts by the game's directory order, names equal but for case by their bytes.
bool MemberNameBefore(const std::string& a, const std::string& b);

}  // namespace vrel
