#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "archive/DatEntry.h"

namespace vrel {

// One entry parsed from directory bytes held in memory.
struct ParsedEntry {
    DatEntry entry;
    std::size_t next = 0;  // where the following entry starts
};

// Parses the entry at `pos`, or nothing when its NameLen is negative or the entry (name and
// fixed fields) does not lie wholly inside `directory`. The name is the first NameLen
// characters of the 40-character name field; the whole NameLen bytes are stepped over.
std::optional<ParsedEntry> ParseDirectoryEntry(std::span<const std::uint8_t> directory,
                                               std::size_t pos);

}  // namespace vrel
