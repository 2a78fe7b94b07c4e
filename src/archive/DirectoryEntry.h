#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "archive/DatEntry.h"
#include "archive/DatProblem.h"
#include "base/Expected.h"

namespace vrel {

// One entry parsed from directory bytes held in memory.
struct ParsedEntry {
    DatEntry Entry;
    std::size_t Next = 0;  // where the following entry starts
};

// Parses the entry at `pos` with its whole name, or says why not: BadEntry when its NameLen is
// negative or the entry (name and fixed fields) does not lie wholly inside `directory`, LongName
// when the name is longer than kMaxNameLength.
Expected<ParsedEntry, DatProblem> ParseDirectoryEntry(std::span<const std::uint8_t> directory,
                                                      std::size_t pos);

}  // namespace vrel
