#include <fstream>
#include <system_error>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberStream.h"
#include "base/AnsiText.h"
#include "base/Failure.h"
#include "base/TargetFolders.h"
#include "cli/CommandLine.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

bool WriteWhole(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::string DescribeTargetFailure(const TargetFailure& failure) {
    using std::filesystem::file_type;
    if (failure.Kind == TargetProblem::CannotCreateFolder) {
        return "cannot create folder " + PathToDisplay(failure.Path) + ": " +
               ErrorToDisplay(failure.Error);
    }
    const char* what = failure.Found == file_type::symlink     ? "a symbolic link (not followed)"
                       : failure.Found == file_type::directory ? "a folder"
                       : failure.Found == file_type::regular   ? "a file"
                                                               : "a special file";
    return std::string(what) + " is in the way: " + PathToDisplay(failure.Path);
}

enum class MemberWriteProblem { CannotWrite, CannotReplace };
using MemberWriteFailure = Failure<MemberWriteProblem>;

std::string DescribeMemberWriteFailure(const MemberWriteFailure& failure) {
    return (failure.Kind == MemberWriteProblem::CannotWrite ? "cannot write " : "cannot replace ") +
           failure.Path.string();
}

// Writes a member's content. A file that is already there is replaced only once the new content
// is complete, so a failed write never leaves it cut short.
std::optional<MemberWriteFailure> WriteMember(const TargetFolders::TargetFile& target,
                                              const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    if (!target.Existed) {
        if (WriteWhole(target.Path, bytes)) {
            return std::nullopt;
        }
        std::filesystem::remove(target.Path, error);
        return MemberWriteFailure{MemberWriteProblem::CannotWrite, target.Path, {}};
    }
    std::filesystem::path temporary = target.Path;
    temporary += ".vrel-part";
    if (WriteWhole(temporary, bytes)) {
        std::filesystem::rename(temporary, target.Path, error);
        if (!error) {
            return std::nullopt;
        }
    }
    std::filesystem::remove(temporary, error);
    return MemberWriteFailure{MemberWriteProblem::CannotReplace, target.Path, {}};
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
    std::int32_t failed = 0;
    auto fail = [&](const std::string& subject, const std::string& problem) {
        progress.Clear();
        ReportProblem(io, subject, problem);
        ++failed;
    };
    // Unsafe names are not even read.
    MemberStream members(*walk, *threads,
                         [](const DatEntry& entry) { return !CheckMemberName(entry.Name); });
    while (auto next = members.Next()) {
        const DatEntry* entry = &next->Entry;
        ++visited;
        progress.Step();
        const std::string member = archive + ": " + AnsiToUtf8(entry->Name);
        if (auto unsafe = CheckMemberName(entry->Name)) {
            fail(member, "refused, " + DescribeUnsafeName(*unsafe));
            continue;
        }
        const MemberContent& content = *next->Content;
        if (content.Problem) {
            fail(member, DescribeDatProblem(*content.Problem) + "; not written");
            continue;
        }
        auto target = targets.PrepareFile(MemberPathParts(entry->Name));
        if (!target) {
            fail(member, DescribeTargetFailure(target.error()));
            continue;
        }
        if (auto writeFailure = WriteMember(*target, content.Bytes)) {
            fail(member, DescribeMemberWriteFailure(*writeFailure));
        }
    }
    if (walk->Problem()) {
        fail(archive, DescribeDatProblem(*walk->Problem()) + " (entry " +
                          std::to_string(visited + 1) + " of " +
                          std::to_string(walk->FilesTotal()) + ")");
    }
    progress.Clear();
    if (failed > 0) {
        io.Err << "vrel-dat: " << archive << ": " << failed << " problem"
               << (failed == 1 ? "" : "s") << "; not every member was extracted\n";
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
