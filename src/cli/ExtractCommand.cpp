#include <cerrno>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_set>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberReader.h"
#include "archive/OrderedBatches.h"
#include "base/AnsiText.h"
#include "base/PendingFile.h"
#include "base/TargetFolders.h"
#include "cli/CommandLine.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

std::string DescribeMemberWriteFailure(const PlaceFailure& failure) {
    return "cannot write " + DescribePathError(failure.Path, failure.Error);
}

// When the disk is full every later member fails alike; one line says so instead.
bool DiskIsFull(const std::error_code& error) {
    return error == std::errc::no_space_on_device
#ifdef EDQUOT
           || error == std::error_code(EDQUOT, std::system_category())
#endif
        ;
}

// Writes a member's content so that neither a failure nor an interruption leaves a member cut
// short under its name: under the name at once where nothing stands there, else through a new
// file that replaces the one there only once it is whole.
Expected<void, PlaceFailure> WriteMember(const TargetFolders::TargetFile& target,
                                         std::span<const std::uint8_t> bytes) {
    if (!target.Existed) {
        return PutNewFile(target.Path, bytes);
    }
    return PutFile(target.Path, bytes, Placing::Replace, Durability::Unsynced);
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

// What became of one member, told in directory order whatever thread wrote it.
struct MemberOutcome {
    std::string Member;   // its name as stored, made readable only when told (see Shown)
    std::string Problem;  // empty when it was written whole
    std::error_code WriteError;
    bool OutOfMemory = false;                    // its content could not be held; extraction stops
    std::filesystem::path::string_type Written;  // where it went, when a worker wrote it
};

// Extracts one archive: the entries are read and their folders prepared in directory order on
// the caller's thread, while reading, inflating and writing each member run on the workers;
// outcomes come back in directory order, so the report is the one-thread report. A large member,
// and a member written over a file that one still in flight writes, wait until the members before
// them are done.
class Extraction {
public:
    Extraction(DatWalk& walk, TargetFolders& targets, const std::string& archive,
               const std::filesystem::path& root, int threads, ProblemCounter& fail)
        : walk_(walk),
          targets_(targets),
          archive_(archive),
          root_(root),
          fail_(fail),
          batches_(
              threads, [&walk](Item& item) { ReadAndWrite(walk, item); },
              [this](Item& item) { Report(item.Outcome); }) {}

    // Goes through every member; answers the number of entries visited.
    std::int32_t Run() {
        while (!stopped_ && Start()) {
        }
        batches_.TakeAll();
        return visited_;
    }

private:
    // One member: its work, or its outcome when that is known already.
    struct Work {
        DatEntry Entry;
        TargetFolders::TargetFile Target;
    };
    struct Item {
        MemberOutcome Outcome;
        std::optional<Work> ToWrite;
    };

    // Reads the next entry and sets its member going; false once the walk has ended.
    bool Start() {
        std::optional<DatEntry> entry = walk_.NextDatEntry();
        if (!entry) {
            return false;
        }
        ++visited_;
        if (const auto checked = CheckMemberName(entry->Name); !checked) {
            batches_.Add({{entry->Name, "refused, " + DescribeUnsafeName(checked.error())}}, 0);
            return true;
        }
        if (IsLargeMember(*entry)) {
            batches_.TakeAll();
            if (!stopped_) {
                batches_.Add({WriteLarge(*entry)}, 0);
            }
            return true;
        }
        // Read and inflated by the thread that writes it; a member that cannot be read at all
        // gets no folder.
        if (const auto problem = walk_.EntryProblem(*entry)) {
            batches_.Add({{entry->Name, DescribeDatProblem(*problem) + "; not written"}}, 0);
            return true;
        }
        auto target = targets_.PrepareFile(MemberPathParts(entry->Name));
        if (!target) {
            batches_.Add(
                {{entry->Name, DescribeTargetFailure(target.error(), TargetReader::Command),
                  target.error().Error}},
                0);
            return true;
        }
        // Two members of one name are written in their order.
        if (!inFlight_.insert(target->Path.native()).second) {
            batches_.TakeAll();
            inFlight_.insert(target->Path.native());
        }
        const auto bytes = static_cast<std::size_t>(entry->RealSize);
        // The name goes to the outcome before the entry goes to the work (a braced list is taken
        // in order); the work needs only the entry's sizes and place.
        batches_.Add({{std::move(entry->Name)}, Work{std::move(*entry), std::move(*target)}},
                     bytes);
        return true;
    }

    static void ReadAndWrite(const DatWalk& walk, Item& item) {
        if (!item.ToWrite) {
            return;
        }
        const Work& work = *item.ToWrite;
        MemberOutcome& outcome = item.Outcome;
        outcome.Written = work.Target.Path.native();
        std::span<const std::uint8_t> bytes;
        std::optional<DatProblem> problem;
        try {
            bytes = walk.ReadMemberForWriting(work.Entry, problem);
        } catch (const std::bad_alloc&) {
            outcome.OutOfMemory = true;
            return;
        }
        if (problem) {
            outcome.Problem = DescribeDatProblem(*problem) + "; not written";
        } else if (const auto written = WriteMember(work.Target, bytes); !written) {
            outcome.Problem = DescribeMemberWriteFailure(written.error());
            outcome.WriteError = written.error().Error;
        }
    }

    MemberOutcome WriteLarge(const DatEntry& entry) {
        const std::string& member = entry.Name;
        const auto target = targets_.PrepareFile(MemberPathParts(entry.Name));
        if (!target) {
            return MemberOutcome{member,
                                 DescribeTargetFailure(target.error(), TargetReader::Command),
                                 target.error().Error};
        }
        std::optional<DatProblem> problem;
        std::optional<PlaceFailure> failure;
        WriteLargeMember(walk_, entry, *target, problem, failure);
        if (problem) {
            return MemberOutcome{member, DescribeDatProblem(*problem) + "; not written"};
        }
        if (failure) {
            return MemberOutcome{member, DescribeMemberWriteFailure(*failure), failure->Error};
        }
        return MemberOutcome{member};
    }

    // A member as the user reads it: "archive: name".
    std::string Shown(const MemberOutcome& outcome) const {
        return archive_ + ": " + AnsiToUtf8(outcome.Member);
    }

    void Report(const MemberOutcome& outcome) {
        inFlight_.erase(outcome.Written);
        fail_.Progress.Step();
        if (stopped_) {
            return;
        }
        if (outcome.OutOfMemory) {
            fail_(Shown(outcome), "there is not enough memory to read it; extraction stopped");
            stopped_ = true;
        } else if (!outcome.Problem.empty()) {
            fail_(Shown(outcome), outcome.Problem);
            if (DiskIsFull(outcome.WriteError)) {
                fail_(root_.string(), "the disk is full; extraction stopped");
                stopped_ = true;
            }
        }
    }

    DatWalk& walk_;
    TargetFolders& targets_;
    std::string archive_;
    std::filesystem::path root_;
    ProblemCounter& fail_;
    std::unordered_set<std::filesystem::path::string_type> inFlight_;
    std::int32_t visited_ = 0;
    bool stopped_ = false;
    OrderedBatches<Item> batches_;  // last: its workers go first
};

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
    ProblemCounter fail{io, progress};
    const std::int32_t visited = Extraction(*walk, targets, archive, root, *threads, fail).Run();
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
