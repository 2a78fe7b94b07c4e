#pragma once

#include <string>

namespace vrel {

// Why an archive, or one member of it, could not be read whole.
enum class DatProblem {
    CannotOpen,         // the file could not be opened or read
    TooShort,           // shorter than the 8 bytes of TreeSize and DataSize
    BadTreeSize,        // TreeSize (or DataSize) places the directory outside the file
    BadFilesTotal,      // a negative number of entries
    BadEntry,           // a directory entry with a negative NameLen or running past the directory
    LongName,           // a directory entry whose name is longer than kMaxNameLength bytes
    MemberOutsideFile,  // a member's bytes lie outside the file
    BadMemberSize,      // a negative size, or one no zlib stream of that length can unpack to
    DamagedMember,      // a compressed member that does not unpack to exactly its RealSize
};

// A short English description, for messages and the command-line tool.
std::string DescribeDatProblem(DatProblem problem);

}  // namespace vrel
