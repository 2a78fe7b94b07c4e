#include <cerrno>
#include <new>
#include <optional>
#include <string>
#include <system_error>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberStream.h"
#include "base/AnsiText.h"
#include "base/PendingFile.h"
#include "base/TargetFolders.h"
#include "cli/CommandLine.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

std::string DescribeMemberWriteFailure(const PlaceFailure& failure) {
    return "cannot write " + PathToDisplay(failure.Path) + ": " + ErrorToDisplay(failure.Error);
}

// When the disk is full every later member fails alike; one line says so instead.
bool DiskIsFull(const std::error_code& error) {
    return error == std::errc::no_space_on_device
#ifdef EDQUOT
           || error == std::error_code(EDQUOT, std::system_category())
#endif
        ;
}

// Writes a member's content through a new file, so that neither a failure nor an interruption
// leaves a member cut short under its name, nor touches a file of the user's that stood there.
Expected<void, PlaceFailure> WriteMember(const TargetFolders::TargetFile& target,
                                         const std::vector<std::uint8_t>& bytes) {
    return PutFile(target.Path, bytes, target.Existed ? Placing::Replace : Placing::New,
                   Durability::Unsynced);
}

// A large member, read, inflated and written piece by piece; `problem` is the archive's fault,
// the failure the writing's.
void WriteLargeMember(DatWalk& walk, const DatEntry& entry, const TargetFolders::TargetFile& target,
                      std::optional<DatProblem>& problem, std::optional<PlaceFailure>& failure) {
    auto file = PendingFile::Create(target.Path, Durability::Unsynced);
    if (!file) {
        failure = file.error();
        return;
    }
    try {
        const auto read = walk.ReadMemberPieces(entry, [&](std::span<const std::uint8_t> piece) {
            const auto written = file->Write(piece);
            if (!written) {
                failure = written.error();
            }
            return written.has_value();
        });
        if (!read) {
            problem = read.error();
        }
    } catch (const std::bad_alloc&) {
        failure = PlaceFailure{PlaceProblem::CannotWrite, target.Path,
                               std::make_error_code(std::errc::not_enough_memory)};
    }
    if (!problem && !failure) {
        if (const auto placed = file->Place(target.Existed ? Placing::Replace : Placing::New);
            !placed) {
            failure = placed.error();
        }
    }
}

// The next member; one that cannot be held for want of memory ends the walk, named in
// `outOfMemory`.
std::optional<MemberStream::Member> NextMember(MemberStream& members,
                                               std::optional<std::string>& outOfMemory) {
    try {
        return members.Next();
    } catch (const MemberOutOfMemory& failure) {
        outOfMemory = failure.Member;
        return std::nullopt;
    }
}

// Problems are reported as they are met and counted, so that extraction goes on past them.
struct ProblemCounter {
    CommandIo& Io;
    ProgressBar& Progress;
    std::int32_t Count = 0;

    void operator()(const std::string& subject, const std::string& problem) {
        Progress.Clear();
        ReportProblem(Io, subject, problem);
        ++Count;
    }
};

// Writes one member under the target folder, reporting what stops it. Answers the system's error
// of a failed write, so that the caller can tell a full disk.
std::error_code ExtractMember(DatWalk& walk, TargetFolders& targets,
                              const MemberStream::Member& next, const std::string& member,
                              ProblemCounter& fail) {
    const DatEntry& entry = next.Entry;
    if (const auto checked = CheckMemberName(entry.Name); !checked) {
        fail(member, "refused, " + DescribeUnsafeName(checked.error()));
        return {};
    }
    if (next.Content && next.Content->Problem) {
        fail(member, DescribeDatProblem(*next.Content->Problem) + "; not written");
        return {};
    }
    const auto target = targets.PrepareFile(MemberPathParts(entry.Name));
    if (!target) {
        fail(member, DescribeTargetFailure(target.error(), TargetReader::Command));
        return target.error().Error;
    }
    std::optional<DatProblem> problem;
    std::optional<PlaceFailure> writeFailure;
    if (next.Content) {
        if (const auto written = WriteMember(*target, next.Content->Bytes); !written) {
            writeFailure = written.error();
        }
    } else {
        WriteLargeMember(walk, entry, *target, problem, writeFailure);
    }
    if (problem) {
        fail(member, DescribeDatProblem(*problem) + "; not written");
    } else if (writeFailure) {
        fail(member, DescribeMemberWriteFailure(*writeFailure));
        return writeFailure->Error;
    }
    return {};
}

int RunExtract(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed = ParseOrExit(args,
                                    {.Flags = {kQuietFlag, kQuietLongFlag},
                                     .Options = {"--threads"},
                                     .MinPositional = 2,
                                     .MaxPositional = 2},
                                    kExtractCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::optional<int> threads = ThreadsOption(*parsed, kExtractCommand, io, exitCode);
    if (!threads) {
        return exitCode;
    }
    const std::string& archive = parsed->Positional[0];
    const std::filesystem::path root = DisplayToPath(parsed->Positional[1]);
    auto walk = DatWalk::Open(DisplayToPath(archive));
    if (!walk) {
        ReportProblem(io, archive, DescribeDatProblem(walk.error()));
        return kExitDamaged;
    }
    std::error_code error;
    std::filesystem::create_directories(root, error);
    if (!std::filesystem::is_directory(root, error)) {
        ReportProblem(io, root.string(), "cannot create the folder");
        return kExitDamaged;
    }

    TargetFolders targets(root);
    ProgressBar progress(io.Err, ShowsProgress(io, *parsed), walk->FilesTotal());
    std::int32_t visited = 0;
    ProblemCounter fail{io, progress};
    // Unsafe names are not even read, large members only piece by piece as they are written.
    MemberStream members(*walk, *threads, [](const DatEntry& entry) {
        return CheckMemberName(entry.Name) && !IsLargeMember(entry);
    });
    std::optional<std::string> outOfMemory;
    while (auto next = NextMember(members, outOfMemory)) {
        ++visited;
        progress.Step();
        const std::string member = archive + ": " + AnsiToUtf8(next->Entry.Name);
        if (DiskIsFull(ExtractMember(*walk, targets, *next, member, fail))) {
            fail(root.string(), "the disk is full; extraction stopped");
            break;
        }
    }
    if (outOfMemory) {
        fail(archive + ": " + AnsiToUtf8(*outOfMemory),
             "there is not enough memory to read it; extraction stopped");
    }
    if (walk->Problem()) {
        fail(archive, DescribeDatProblem(*walk->Problem()) + " (entry " +
                          std::to_string(visited + 1) + " of " +
                          std::to_string(walk->FilesTotal()) + ")");
    }
    progress.Clear();
    if (fail.Count > 0) {
        io.Err << "vrel-dat: " << archive << ": " << fail.Count << " problem"
               << (fail.Count == 1 ? "" : "s") << "; not every member was extracted\n";
        return kExitDamaged;
    }
    return kExitGood;
}

}  // namespace

const Command kExtractCommand = {
    "extract",
    "ARCHIVE DIR [-q] [--threads N]",
    "Writes every member of a DAT archive under DIR.",
    "Backslashes in member names become folders, created as needed; existing folders and\n"
    "files are matched whatever their letter case, as the game finds them. Names that are\n"
    "absolute, carry a drive or climb out with '..' are refused, symbolic links that lead out\n"
    "of DIR are not followed, and a member that cannot be read whole is not written. Exit status 0 only\n"
    "when every member was written intact; otherwise the problems go to stderr and the\n"
    "status is 1.\n\n"
    "  -q, --quiet   no progress bar (it is shown only on a terminal anyway)\n"
    "  --threads N   members inflated at once (default: the number of cores); what is\n"
    "                written is the same whatever the number\n",
    RunExtract,
};

}  // namespace vrel::cli
