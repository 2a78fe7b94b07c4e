#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Letter case of file names as Windows ignores it: for the letters of the code pages players' names
// come in (Latin with its accented letters, Greek, Cyrillic), not only ASCII, so that Über.dat and
// über.dat, or a member's É and a file's é, are one file on Linux too.
namespace vrel {

// `utf8` with every letter in the one case Windows compares names in; bytes that start no UTF-8
// form are kept as they are. Two names are the same file when their folded forms are equal.
std::string FoldNameCase(std::string_view utf8);

// For each of `wanted` (file names a list keeps), the one of `present` it stands for: a name
// matches exactly before it matches in any letter case, so that of two files that differ only in
// case each keeps its own place; each of `present` is taken once. Nothing for a name not there.
std::vector<std::optional<std::size_t>> MatchFileNames(const std::vector<std::string>& wanted,
                                                       const std::vector<std::string>& present);

}  // namespace vrel
