#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "archive/DatProblem.h"

namespace vrel {

// Where the start-up scan and the unpacker's walk would see different archives.
enum class DatMismatch {
    DataSize,    // the stored DataSize is not the file's length
    FilesTotal,  // FilesTotal is not the number of entries that TreeSize holds
    Names,       // the two readers read different names for the same entry
};

struct DatFinding {
    std::string Member;  // the entry's name as the walk reads it; empty for the whole archive
    std::variant<DatProblem, DatMismatch> Kind;
    std::string Detail;  // the numbers behind it, when they help
};

struct DatVerification {
    std::int32_t MembersChecked = 0;
    std::vector<DatFinding> Findings;
};

// Checks an archive as both readers see it: their structure agrees, every member lies inside
// the file, and every compressed member unpacks to exactly its RealSize with a good checksum.
// Members are inflated on `threads` threads, a large one (see kLargeMember) piece by piece, so
// memory stays bounded by the threads times a large member's size. The findings are the same, in
// the same order, whatever the number of threads. Throws MemberOutOfMemory for a member that
// cannot be checked for want of memory.
DatVerification VerifyDat(const std::filesystem::path& archivePath, int threads = 1);

std::string DescribeDatFinding(const DatFinding& finding);

}  // namespace vrel
