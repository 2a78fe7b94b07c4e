#pragma once

#include <cstdint>

#include "archive/DatFile.h"
#include "archive/DatProblem.h"
#include "base/Expected.h"

namespace vrel {

// How a reader finds FilesTotal from the last 8 bytes. The unpacker counts back from DataSize,
// the start-up scan back from the end of the file by TreeSize; an archive whose two fields
// disagree is read differently by each, which the verifier reports.
enum class DirectoryAnchor {
    None,      // only the two fields are wanted
    DataSize,  // FilesTotal at DataSize - TreeSize - 8, the directory running to the end
    FileEnd,   // FilesTotal at the file's length - 8 - TreeSize, the directory TreeSize long
};

struct DatTrailer {
    std::int32_t TreeSize = 0;
    std::int32_t DataSize = 0;
    std::int64_t FileLength = 0;
    std::int64_t FilesTotalAt = 0;  // where the anchor places FilesTotal; 0 for None
};

// Reads TreeSize and DataSize and checks that the anchor places the directory inside the file.
Expected<DatTrailer, DatProblem> ReadDatTrailer(DatFile& file, DirectoryAnchor anchor);

}  // namespace vrel
