#include "archive/DatTrailer.h"

namespace vrel {

Expected<DatTrailer, DatProblem> ReadDatTrailer(DatFile& file, DirectoryAnchor anchor) {
    DatTrailer trailer;
    trailer.FileLength = file.Length();
    if (trailer.FileLength < 8) {
        return Unexpected{DatProblem::TooShort};
    }
    std::uint8_t bytes[8];
    if (!file.ReadAt(trailer.FileLength - 8, bytes)) {
        return Unexpected{DatProblem::CannotOpen};
    }
    trailer.TreeSize = ReadInt32(bytes, 0);
    trailer.DataSize = ReadInt32(bytes, 4);
    switch (anchor) {
        case DirectoryAnchor::None:
            break;
        case DirectoryAnchor::DataSize:
            trailer.FilesTotalAt =
                static_cast<std::int64_t>(trailer.DataSize) - trailer.TreeSize - 8;
            if (trailer.FilesTotalAt < 0 || trailer.FilesTotalAt + 4 > trailer.FileLength) {
                return Unexpected{DatProblem::BadTreeSize};
            }
            break;
        case DirectoryAnchor::FileEnd:
            // FilesTotal and the entries occupy TreeSize bytes right before the TreeSize field.
            if (trailer.TreeSize < 4 || trailer.TreeSize > trailer.FileLength - 8) {
                return Unexpected{DatProblem::BadTreeSize};
            }
            trailer.FilesTotalAt = trailer.FileLength - 8 - trailer.TreeSize;
            break;
    }
    return trailer;
}

}  // namespace vrel
