#include "archive/DirectoryEntry.h"

#include "archive/DatFile.h"

namespace vrel {

Expected<ParsedEntry, DatProblem> ParseDirectoryEntry(std::span<const std::uint8_t> directory,
                                                      std::size_t pos) {
    if (pos + 4 > directory.size()) {
        return Unexpected{DatProblem::BadEntry};
    }
    const std::int32_t nameLen = ReadInt32(directory, pos);
    if (nameLen < 0 ||
        pos + static_cast<std::size_t>(nameLen) + kEntryFixedBytes > directory.size()) {
        return Unexpected{DatProblem::BadEntry};
    }
    if (nameLen > kMaxNameLength) {
        return Unexpected{DatProblem::LongName};
    }
    const std::size_t nameStart = pos + 4;
    const std::size_t fields = nameStart + static_cast<std::size_t>(nameLen);

    ParsedEntry parsed;
    parsed.Entry.Name.assign(reinterpret_cast<const char*>(directory.data() + nameStart),
                             static_cast<std::size_t>(nameLen));
    parsed.Entry.Compressed = directory[fields];
    parsed.Entry.RealSize = ReadInt32(directory, fields + 1);
    parsed.Entry.PackedSize = ReadInt32(directory, fields + 5);
    parsed.Entry.Offset = ReadInt32(directory, fields + 9);
    parsed.Next = fields + 13;
    return parsed;
}

}  // namespace vrel
