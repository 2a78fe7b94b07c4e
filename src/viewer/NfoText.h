#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

// A text file as the viewer shows it: each line as UTF-8, followed by a carriage return and a
// line feed.
struct NfoText {
    std::string Text;
    std::size_t Lines = 0;
};

// Called before each line is stored, with the number of lines read before it.
using LineProgress = std::function<void(std::size_t linesRead)>;

enum class NfoProblem { NoFileName, NotFound, NotAFile, CannotOpen, CannotRead, Empty };
using NfoFailure = Failure<NfoProblem>;  // `Path` is the file

// Reads the whole file with one read and decodes it from code page 437, splitting it into lines. A
// line ends at a carriage return or a carriage return and line feed; a line feed alone belongs to
// the line. A terminator at the very end starts no further line. Fails when the file is missing,
// unreadable or empty.
Expected<NfoText, NfoFailure> ReadNfo(const std::filesystem::path& file,
                                      const LineProgress& progress);

}  // namespace vrel
