#pragma once

#include <string>
#include <vector>

#include "archive/Catalogue.h"

namespace vrel {

enum class ConflictVerdict { None, Minor, Heavy };

// Every clash between the picked mods, one line per matching pair of entries, and the rating of
// the whole set. Lines are display text (UTF-8): the member name from its code page, the archives'
// file names as the file system has them.
struct ConflictReport {
    std::vector<std::string> Lines;
    ConflictVerdict Verdict = ConflictVerdict::None;
};

// Compares the member names of every pair of picked archives of the catalogue, the earlier one
// in catalogue order first. The lines come in the order of comparing every name of the earlier
// archive with every name of the later one, pair after pair, but the work grows with the number
// of names, not with their square. Reads only the catalogue: no archive is opened and every
// Selected flag stays as it is.
ConflictReport ConflictCheck(FalloutDat_Collection& FalloutDats);

// The verdict as the conflict window shows it.
std::string VerdictText(ConflictVerdict verdict);

}  // namespace vrel
