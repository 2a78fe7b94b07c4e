#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive/DatProblem.h"

namespace vrel {

inline constexpr const char* kNoDescription = "No description available";

// What the start-up scan learns of one archive.
struct DatScan {
    std::int32_t FilesTotal = 0;     // as stored; it does not bound the listing
    std::vector<std::string> Names;  // lower case, directory order, whole
    std::string Description;         // Windows-1252 text
    // Set when the archive is malformed; FilesTotal, Names and Description then hold what was
    // read safely before the damage.
    std::optional<DatProblem> Problem;
};

// The start-up scan: locates the directory from the file's real length and lists every entry
// that fits before the TreeSize field. The description is read only when asked for; otherwise
// it is empty.
DatScan ScanDat(const std::filesystem::path& archivePath, bool readDescription);

}  // namespace vrel
