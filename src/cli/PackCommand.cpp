#include <charconv>
#include <cstdio>
#include <memory>
#include <new>

#include "archive/DatWriter.h"
#include "archive/OrderedBatches.h"
#include "archive/WholeFile.h"
#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "cli/CommandLine.h"
#include "cli/PackSources.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

constexpr const char* kNoMemoryToPack = "there is not enough memory to pack it";

std::optional<int> ParseLevel(const std::string& text) {
    int level = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || level < 0 || level > 9) {
        return std::nullopt;
    }
    return level;
}

struct PackOptions {
    std::filesystem::path Folder;
    std::filesystem::path Archive;
    bool Store = false;
    int Level = -1;  // the writer's default
    int Threads = 1;
    bool ShowProgress = false;
};

// The command line read; nothing where it is wrong, which has then been said, with the exit code.
std::optional<PackOptions> ReadPackOptions(const std::vector<std::string>& args, CommandIo& io,
                                           int& exitCode) {
    const auto parsed = ParseOrExit(args,
                                    {.Flags = {"--store", kQuietFlag, kQuietLongFlag},
                                     .Options = {"--level", "--threads"},
                                     .MinPositional = 2,
                                     .MaxPositional = 2},
                                    kPackCommand, io, exitCode);
    if (!parsed) {
        return std::nullopt;
    }
    PackOptions options{.Folder = DisplayToPath(parsed->Positional[0]),
                        .Archive = DisplayToPath(parsed->Positional[1]),
                        .Store = parsed->Has("--store")};
    if (auto text = parsed->Values.find("--level"); text != parsed->Values.end()) {
        const std::optional<int> value = ParseLevel(text->second);
        if (!value) {
            exitCode = UsageError(io, kPackCommand, "--level takes a number from 0 to 9");
            return std::nullopt;
        }
        if (options.Store) {
            exitCode = UsageError(io, kPackCommand, "--store and --level exclude each other");
            return std::nullopt;
        }
        options.Level = *value;
    }
    const std::optional<int> threads = ThreadsOption(*parsed, kPackCommand, io, exitCode);
    if (!threads) {
        return std::nullopt;
    }
    options.Threads = *threads;
    options.ShowProgress = ShowsProgress(io, *parsed);
    return options;
}

// Files are read and packed on every thread; the writer takes them in directory order, so
// the archive is the same whatever the number of threads. A few batches of members per thread
// are in flight at once, each member at most a large member's size: a larger file is packed and
// written here as it is read, so memory stays bounded by the work, not by the largest file.
class MemberPacking {
public:
    MemberPacking(DatWriter& writer, const PackSources& sources, const PackOptions& options,
                  ProgressBar& progress, CommandIo& io)
        : writer_(writer),
          sources_(sources),
          archive_(options.Archive),
          storage_(options.Store ? MemberStorage::Stored : MemberStorage::Smallest),
          progress_(progress),
          io_(io),
          batches_(
              options.Threads,
              [this, packLevel = writer.Level()](Packed& packed) { Pack(packed, packLevel); },
              [this](Packed& packed) { Write(packed); }) {}

    // Every member packed into the writer; false at the first that could not be read or written,
    // which has then been reported.
    bool PackAll() {
        for (std::size_t next = 0; next < sources_.Members.size() && !failed_; ++next) {
            const std::uintmax_t size = sources_.Members[next].Size;
            if (size > static_cast<std::uintmax_t>(kLargeMember)) {
                batches_.TakeAll();
                failed_ = failed_ || !PackLarge(sources_.Members[next]);
                continue;
            }
            batches_.Add(Packed{next}, static_cast<std::size_t>(size));
        }
        batches_.TakeAll();
        return !failed_;
    }

private:
    struct Packed {
        std::size_t source = 0;               // its index among the sources
        std::optional<EncodedMember> member;  // nothing when the file could not be read whole
        bool outOfMemory = false;
    };

    // On a worker: reads the file and packs it.
    void Pack(Packed& packed, int packLevel) const {
        try {
            // Kept from one file to the next: no memory is taken and cleared per file.
            thread_local std::vector<std::uint8_t> content;
            if (ReadWholeFile(sources_.Members[packed.source].Path, content)) {
                packed.member = EncodeMember(content, storage_, packLevel);
            }
        } catch (const std::bad_alloc&) {
            packed.outOfMemory = true;
        }
    }

    // The next member in directory order, to the writer; after a failure, nothing more.
    void Write(Packed& packed) {
        if (failed_) {
            return;
        }
        const PackSource& source = sources_.Members[packed.source];
        progress_.Step();
        if (!packed.member) {
            progress_.Clear();
            ReportProblem(io_, source.Path.string(),
                          packed.outOfMemory ? kNoMemoryToPack : "cannot be read whole");
            failed_ = true;
        } else if (const auto added = writer_.AddEncoded(source.Name, *packed.member); !added) {
            progress_.Clear();
            ReportProblem(io_, archive_.string(), DescribeWriteFailure(added.error()));
            failed_ = true;
        }
        packed.member.reset();
    }

    // A large file, packed and written here piece by piece as it is read.
    bool PackLarge(const PackSource& source) {
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenFile(source.Path, "rb"),
                                                                 std::fclose);
        const auto size = static_cast<std::int64_t>(source.Size);
        const ReadPiece read = [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
            const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get());
            if (got == 0 && std::ferror(in.get())) {
                return std::nullopt;
            }
            return got;
        };
        Expected<void, WriteFailure> added = Unexpected{WriteFailure{WriteProblem::Abandoned}};
        try {
            if (in) {
                added = writer_.AddStreamed(source.Name, read, storage_,
                                            [&](std::int64_t done) { progress_.Part(done, size); });
            }
        } catch (const std::bad_alloc&) {
            progress_.Clear();
            ReportProblem(io_, source.Path.string(), kNoMemoryToPack);
            return false;
        }
        progress_.Step();
        if (!added) {
            progress_.Clear();
            if (added.error().Kind == WriteProblem::Abandoned) {
                ReportProblem(io_, source.Path.string(), "cannot be read whole");
            } else {
                ReportProblem(io_, archive_.string(), DescribeWriteFailure(added.error()));
            }
            return false;
        }
        return true;
    }

    DatWriter& writer_;
    const PackSources& sources_;
    const std::filesystem::path& archive_;
    const MemberStorage storage_;
    ProgressBar& progress_;
    CommandIo& io_;
    bool failed_ = false;
    OrderedBatches<Packed> batches_;  // last: its workers go first
};

int RunPack(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const std::optional<PackOptions> options = ReadPackOptions(args, io, exitCode);
    if (!options) {
        return exitCode;
    }
    const std::filesystem::path& folder = options->Folder;
    const std::filesystem::path& archive = options->Archive;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        ReportProblem(io, folder.string(), "not a folder");
        return kExitDamaged;
    }

    const PackSources sources = CollectPackSources(folder, archive);
    for (const std::string& skipped : sources.Skipped) {
        ReportProblem(io, skipped, "skipped, not a regular file");
    }
    if (!sources.Refusals.empty()) {
        for (const std::string& refusal : sources.Refusals) {
            ReportProblem(io, folder.string(), refusal);
        }
        io.Err << "vrel-dat: " << archive.string() << ": not written\n";
        return kExitDamaged;
    }

    auto writer = DatWriter::Create(archive, options->Level);
    if (!writer) {
        ReportProblem(io, archive.string(), DescribeWriteFailure(writer.error()));
        return kExitDamaged;
    }
    ProgressBar progress(io.Err, options->ShowProgress,
                         static_cast<std::int64_t>(sources.Members.size()));
    if (!MemberPacking(*writer, sources, *options, progress, io).PackAll()) {
        return kExitDamaged;
    }
    // The members went out in directory order already.
    if (const auto finished = writer->Finish(); !finished) {
        progress.Clear();
        ReportProblem(io, archive.string(), DescribeWriteFailure(finished.error()));
        return kExitDamaged;
    }
    return kExitGood;
}

}  // namespace

const Command kPackCommand = {
    "pack",
    "DIR ARCHIVE [--store] [--level N] [--threads N] [-q]",
    "Builds a DAT archive of the files under DIR that the game itself reads.",
    "Member names use backslashes; the directory is sorted by name with letter case folded to\n"
    "lower case, the order in which the game searches it. Each member is one zlib stream,\n"
    "unless that is not smaller than the file (then it is stored). Names longer than 255\n"
    "characters, names that cannot be written in Windows-1252 and names that differ only in\n"
    "letter case are refused, and then no archive is written. An archive already at ARCHIVE\n"
    "is replaced only once the new one is complete.\n\n"
    "  --store       store every member as is\n"
    "  --level N     compression level, 0 to 9 (default 6)\n"
    "  --threads N   files packed at once (default: the number of cores); the archive is the\n"
    "                same whatever the number\n"
    "  -q, --quiet   no progress bar (it is shown only on a terminal anyway)\n",
    RunPack,
};

}  // namespace vrel::cli
