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
    // For each line, the file name of the archive whose copy the game gets: the last picked one
    // that holds the member, as Play unpacks in catalogue order.
    std::vector<std::string> Winners;
    ConflictVerdict Verdict = ConflictVerdict::None;
};

// Compares the member names of every pair of picked archives of the catalogue, the earlier one
// in catalogue order first. The lines come in the order of comparing every name of the earlier
// archive with every name of the later one, pair after pair, but the work grows with the number
// of names, not with their square. Reads only the catalogue: no archive is opened and every
// Selected flag stays as it is.
ConflictReport ConflictCheck(const FalloutDat_Collection& FalloutDats);

// Line `line` of the report as the conflict window lists it, followed by the mod that wins:
// "a.frm on a.dat conflicts with b.dat (b.dat wins)".
std::string ShownConflictLine(const ConflictReport& report, std::size_t line);

// A member that more than one picked archive supplies: its name (display text), those archives
// as catalogue positions in catalogue order, and whether a clash on it counts as heavy. Play
// unpacks in catalogue order, so the last archive's copy is the one the game reads.
struct ContestedFile {
    std::string Name;
    std::vector<int> Archives;
    bool Heavy = false;
};

// Every member that the conflict check reports a clash on, once, in the order the clashes are
// first met (catalogue order, then directory order).
std::vector<ContestedFile> ContestedFiles(const FalloutDat_Collection& FalloutDats);

// The verdict as the conflict window shows it.
std::string VerdictText(ConflictVerdict verdict);

}  // namespace vrel
