#include "archive/DatProblem.h"

#include "archive/DatEntry.h"

namespace vrel {

std::string DescribeDatProblem(DatProblem problem) {
    switch (problem) {
        case DatProblem::CannotOpen:
            return "the file cannot be opened";
        case DatProblem::TooShort:
            return "the file is too short to be a DAT archive";
        case DatProblem::BadTreeSize:
            return "the directory lies outside the file";
        case DatProblem::BadFilesTotal:
            return "the number of files is negative";
        case DatProblem::BadEntry:
            return "a directory entry is damaged";
        case DatProblem::LongName:
            return "a member's name is longer than " + std::to_string(kMaxNameLength) +
                   " characters";
        case DatProblem::MemberOutsideFile:
            return "a member lies outside the file";
        case DatProblem::BadMemberSize:
            return "a member has an impossible size";
        case DatProblem::DamagedMember:
            return "a compressed member is damaged";
    }
    return "the archive is damaged";
}

}  // namespace vrel
