#include "archive/DatProblem.h"

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
