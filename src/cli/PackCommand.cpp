#include <charconv>
#include <cstdio>
#include <memory>
#include <new>

#include "archive/DatWriter.h"
#include "archive/OrderedPool.h"
#include "archive/WholeFile.h"
#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "cli/CommandLine.h"
#include "cli/PackSources.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

std::optional<int> ParseLevel(const std::string& text) {
    int level = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || level < 0 || level > 9) {
        return std::nullopt;
    }
    return level;
}

int RunPack(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed = ParseOrExit(args,
                                    {.Flags = {"--store", kQuietFlag, kQuietLongFlag},
                                     .Options = {"--level", "--threads"},
                                     .MinPositional = 2,
                                     .MaxPositional = 2},
                                    kPackCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::filesystem::path folder = DisplayToPath(parsed->Positional[0]);
    const std::filesystem::path archive = DisplayToPath(parsed->Positional[1]);
    const bool store = parsed->Has("--store");
    int level = -1;
    if (auto text = parsed->Values.find("--level"); text != parsed->Values.end()) {
        const std::optional<int> value = ParseLevel(text->second);
        if (!value) {
            return UsageError(io, kPackCommand, "--level takes a number from 0 to 9");
        }
        if (store) {
            return UsageError(io, kPackCommand, "--store and --level exclude each other");
        }
        level = *value;
    }
    const std::optional<int> threads = ThreadsOption(*parsed, kPackCommand, io, exitCode);
    if (!threads) {
        return exitCode;
    }
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

    auto writer = DatWriter::Create(archive, level);
    if (!writer) {
        ReportProblem(io, archive.string(), DescribeWriteFailure(writer.error()));
        return kExitDamaged;
    }
    const MemberStorage storage = store ? MemberStorage::Stored : MemberStorage::Smallest;
    const int packLevel = writer->Level();
    ProgressBar progress(io.Err, ShowsProgress(io, *parsed),
                         static_cast<std::int64_t>(sources.Members.size()));
    // Files are read and packed on every thread; the writer takes them in directory order, so
    // the archive is the same whatever the number of threads. A few members per thread are in
    // flight at once, each at most a large member's size: a larger file is packed and written
    // here as it is read, so memory stays bounded by the work, not by the largest file.
    struct Packed {
        std::optional<EncodedMember> member;  // nothing when the file could not be read whole
        bool outOfMemory = false;
    };
    OrderedPool<Packed> pool(*threads);
    const std::size_t inFlight = 4 * static_cast<std::size_t>(*threads);
    std::size_t taken = 0;
    auto takeOne = [&]() -> bool {
        const PackSource& source = sources.Members[taken++];
        Packed packed = pool.TakeNext();
        progress.Step();
        if (!packed.member) {
            progress.Clear();
            ReportProblem(io, source.Path.string(),
                          packed.outOfMemory ? "there is not enough memory to pack it"
                                             : "cannot be read whole");
            return false;
        }
        if (const auto added = writer->AddEncoded(source.Name, *packed.member); !added) {
            progress.Clear();
            ReportProblem(io, archive.string(), DescribeWriteFailure(added.error()));
            return false;
        }
        return true;
    };
    auto packLarge = [&](const PackSource& source) -> bool {
        ++taken;
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenFile(source.Path, "rb"),
                                                                 std::fclose);
        std::int64_t size = 0;
        const ReadPiece read = [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
            const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get());
            if (got == 0 && std::ferror(in.get())) {
                return std::nullopt;
            }
            return got;
        };
        std::error_code sizeError;
        size = static_cast<std::int64_t>(std::filesystem::file_size(source.Path, sizeError));
        const auto added =
            in ? writer->AddStreamed(source.Name, read, storage,
                                     [&](std::int64_t done) { progress.Part(done, size); })
               : Expected<void, WriteFailure>(Unexpected{WriteFailure{WriteProblem::Abandoned}});
        progress.Step();
        if (!added) {
            progress.Clear();
            if (added.error().Kind == WriteProblem::Abandoned) {
                ReportProblem(io, source.Path.string(), "cannot be read whole");
            } else {
                ReportProblem(io, archive.string(), DescribeWriteFailure(added.error()));
            }
            return false;
        }
        return true;
    };
    for (const PackSource& source : sources.Members) {
        std::error_code sizeError;
        const auto size = std::filesystem::file_size(source.Path, sizeError);
        if (!sizeError && size > static_cast<std::uintmax_t>(kLargeMember)) {
            while (pool.Pending() > 0) {
                if (!takeOne()) {
                    return kExitDamaged;
                }
            }
            if (!packLarge(source)) {
                return kExitDamaged;
            }
            continue;
        }
        if (pool.Pending() >= inFlight && !takeOne()) {
            return kExitDamaged;
        }
        pool.Submit([&source, storage, packLevel] {
            try {
                std::vector<std::uint8_t> content;
                if (!ReadWholeFile(source.Path, content)) {
                    return Packed{};
                }
                return Packed{EncodeMember(content, storage, packLevel)};
            } catch (const std::bad_alloc&) {
                return Packed{std::nullopt, true};
            }
        });
    }
    while (pool.Pending() > 0) {
        if (!takeOne()) {
            return kExitDamaged;
        }
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
    "unless that is not smaller than the file (then it is stored). Names longer than 40\n"
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
