#pragma once

#include <string>
#include <string_view>

// Letter case of file names as Windows ignores it: for the letters of the code pages players' names
// come in (Latin with its accented letters, Greek, Cyrillic), not only ASCII, so that Über.dat and
// über.dat, or a member's É and a file's é, are one file on Linux too.
namespace vrel {

// `utf8` with every letter in the one case Windows compares names in; bytes that start no UTF-8
// form are kept as they are. Two names are the same file when their folded forms are equal.
std::string FoldNameCase(std::string_view utf8);

}  // namespace vrel
