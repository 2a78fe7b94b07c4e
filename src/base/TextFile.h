#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PendingFile.h"

// The small text files the player may edit by hand beside vrel.cfg (the mods' order, the mod
// sets): UTF-8, written whole through a PendingFile.
namespace vrel {

// The file's text as UTF-8, without a byte-order mark; a file an editor saved in the system's
// code page is converted. Nothing when the file is missing, cannot be read whole, or is larger
// than `largest` bytes, which only a file that is not ours would be.
std::optional<std::string> ReadTextFile(const std::filesystem::path& file,
                                        std::size_t largest = 1 << 20);

// Replaces `file` with `text`, whole or not at all.
Expected<void, PlaceFailure> PutTextFile(const std::filesystem::path& file, std::string_view text);

// `line` without the blanks and carriage return at its ends.
std::string_view TrimBlanks(std::string_view line);

// The lines of `text` that hold more than blanks, each without the blanks at its ends (Windows'
// and Unix' line ends alike).
std::vector<std::string_view> NonBlankLines(std::string_view text);

}  // namespace vrel
