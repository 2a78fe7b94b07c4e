#pragma once

#include <string>
#include <vector>

#include "base/Expected.h"

namespace vrel {

// Joins the folder levels and file name of a file (each Windows-1252 text) into a member name
// that the project's readers give back unchanged, or says why the file cannot become a member:
// a part holding a backslash, an unsafe name, or one longer than the 40-character name field.
Expected<std::string, std::string> JoinMemberName(const std::vector<std::string>& parts);

// The Windows-1252 form of UTF-8 text, or nothing when some character has none.
Expected<std::string, std::string> StrictUtf8ToAnsi(const std::string& utf8);

// Names that equal the one before them but for letter case, as "<name>: differs from <other>
// only in letter case" (display text). `names` are sorted in the game's order.
std::vector<std::string> CaseTwinRefusals(const std::vector<std::string>& names);

// Sorts by the game's directory order, names equal but for case by their bytes.
bool MemberNameBefore(const std::string& a, const std::string& b);

}  // namespace vrel
