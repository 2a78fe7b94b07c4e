#include "archive/ModPacking.h"

#include <algorithm>
#include <new>

#include "archive/MemberPieces.h"
#include "archive/OrderedPool.h"
#include "archive/ReadMeText.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

// Reads `content` into `bytes` up to `limit` bytes: true when that was all of it, false when there
// is more (then `bytes` holds the first limit + 1 bytes and the rest is still to read). The
// storage grows with what is really there, never with what a header claims.
Expected<bool, ImportFailure> ReadUpTo(SourceContent& content, std::size_t limit,
                                       std::int64_t listedSize, std::vector<std::uint8_t>& bytes) {
    std::size_t used = 0;
    // The listed size is a hint for the first allocation only (one more byte finds the end).
    const std::size_t first = listedSize >= 0 && static_cast<std::uint64_t>(listedSize) < limit
                                  ? static_cast<std::size_t>(listedSize) + 1
                                  : std::size_t{64} << 10;
    bytes.resize(std::min(first, limit + 1));
    while (true) {
        if (used == bytes.size()) {
            if (used > limit) {
                return false;
            }
            bytes.resize(std::min(used * 2, limit + 1));
        }
        auto got = content.Read(std::span(bytes).subspan(used));
        if (!got) {
            return Unexpected{got.error()};
        }
        if (*got == 0) {
            bytes.resize(used);
            return true;
        }
        used += *got;
    }
}

// The source is read on the caller's thread, one file after another, while the workers pack
// what was read; the writer takes the members in the order read. A few files per thread are in
// flight, each at most a large member's size: a larger file is packed and written as it is
// read, so memory stays bounded by the work, not by the largest file.
class MemberPacker {
public:
    MemberPacker(const std::vector<SourceFile>& files, const ModPlan& plan, std::int64_t total,
                 DatWriter& writer, const ImportOptions& options, ImportReport& report)
        : files_(files),
          writer_(writer),
          options_(options),
          report_(report),
          names_(files.size(), nullptr),
          threads_(WorkerThreads(options.Threads)),
          pool_(threads_),
          inFlight_(4 * static_cast<std::size_t>(threads_)),
          total_(total) {
        for (const PlannedMember& member : plan.Members) {
            names_[member.Source] = &member.Name;
        }
    }

    Expected<void, ImportFailure> Take(std::size_t index, SourceContent& content);
    // Waits for every member still being packed and writes it.
    Expected<void, ImportFailure> Drain();

private:
    struct Packed {
        const std::string* Name;
        EncodedMember Member;
        std::size_t Source = 0;
        bool OutOfMemory = false;
    };

    ImportFailure OutOfMemory(std::size_t index) const {
        return ImportFailure{ImportProblem::OutOfMemory, files_[index].Path, {}};
    }
    void StepDone() {
        if (options_.Progress) {
            options_.Progress(++done_, total_);
        }
    }
    Expected<void, ImportFailure> Submit(std::size_t index, const std::string* name,
                                         std::vector<std::uint8_t> bytes);
    Expected<void, ImportFailure> WriteNext();
    Expected<void, ImportFailure> PackLarge(std::size_t index, std::span<const std::uint8_t> start,
                                            SourceContent& content);

    const std::vector<SourceFile>& files_;
    DatWriter& writer_;
    const ImportOptions& options_;
    ImportReport& report_;
    std::vector<const std::string*> names_;  // each member's name by its source file
    int threads_;
    OrderedPool<Packed> pool_;
    std::size_t inFlight_;
    std::int64_t total_;
    std::int64_t done_ = 0;
};

Expected<void, ImportFailure> MemberPacker::Take(std::size_t index, SourceContent& content) {
    static const std::string kDescriptionName = kDescriptionMember;
    try {
        const std::string* name = names_[index];
        std::vector<std::uint8_t> bytes;
        const auto whole =
            ReadUpTo(content, static_cast<std::size_t>(kLargeMember), files_[index].Size, bytes);
        if (!whole) {
            return Unexpected{whole.error()};
        }
        if (!*whole) {
            if (!name) {
                // Too long for a description; the player reads it beside the mod.
                report_.LeftOut.push_back({files_[index].Path, LeftOutKind::ReadMe});
                return {};
            }
            return PackLarge(index, bytes, content);
        }
        if (!name) {
            auto text = DescriptionText(files_[index].Path, bytes);
            if (!text) {
                report_.LeftOut.push_back({files_[index].Path, LeftOutKind::ReadMe});
                return {};
            }
            name = &kDescriptionName;
            bytes = std::move(*text);
            report_.DescriptionFrom = files_[index].Path;
        }
        return Submit(index, name, std::move(bytes));
    } catch (const std::bad_alloc&) {
        return Unexpected{OutOfMemory(index)};
    }
}

Expected<void, ImportFailure> MemberPacker::Submit(std::size_t index, const std::string* name,
                                                   std::vector<std::uint8_t> bytes) {
    if (pool_.Pending() >= inFlight_) {
        if (auto written = WriteNext(); !written) {
            return written;
        }
    }
    pool_.Submit([name, level = writer_.Level(), index, content = std::move(bytes)]() -> Packed {
        try {
            return Packed{name, EncodeMember(content, MemberStorage::Smallest, level), index};
        } catch (const std::bad_alloc&) {
            return Packed{name, {}, index, true};
        }
    });
    return {};
}

Expected<void, ImportFailure> MemberPacker::WriteNext() {
    const Packed packed = pool_.TakeNext();
    if (packed.OutOfMemory) {
        return Unexpected{OutOfMemory(packed.Source)};
    }
    if (const auto added = writer_.AddEncoded(*packed.Name, packed.Member); !added) {
        return Unexpected{ImportWriteFailure(added.error())};
    }
    StepDone();
    return {};
}

Expected<void, ImportFailure> MemberPacker::Drain() {
    while (pool_.Pending() > 0) {
        if (auto written = WriteNext(); !written) {
            return written;
        }
    }
    return {};
}

// A file larger than a large member, whose `start` is read already: the members before it are
// written first, then it is packed and written as the rest is read.
Expected<void, ImportFailure> MemberPacker::PackLarge(std::size_t index,
                                                      std::span<const std::uint8_t> start,
                                                      SourceContent& content) {
    if (auto drained = Drain(); !drained) {
        return drained;
    }
    std::optional<ImportFailure> readFailure;
    const ReadPiece read = [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
        if (!start.empty()) {
            const std::size_t count = std::min(buffer.size(), start.size());
            std::copy_n(start.begin(), count, buffer.begin());
            start = start.subspan(count);
            return count;
        }
        auto got = content.Read(buffer);
        if (!got) {
            readFailure = got.error();
            return std::nullopt;
        }
        return *got;
    };
    const auto progress = [&](std::int64_t bytes) {
        if (options_.WithinFile) {
            options_.WithinFile(bytes, files_[index].Size);
        }
    };
    if (const auto added =
            writer_.AddStreamed(*names_[index], read, MemberStorage::Smallest, progress);
        !added) {
        return Unexpected{added.error().Kind == WriteProblem::Abandoned && readFailure
                              ? *readFailure
                              : ImportWriteFailure(added.error())};
    }
    StepDone();
    return {};
}

}  // namespace

Expected<void, ImportFailure> PackModMembers(ModSource& source,
                                             const std::vector<SourceFile>& files,
                                             const ModPlan& plan, DatWriter& writer,
                                             const ImportOptions& options, ImportReport& report) {
    std::vector<bool> wanted(files.size(), false);
    for (const PlannedMember& member : plan.Members) {
        wanted[member.Source] = true;
    }
    if (plan.Description) {
        wanted[*plan.Description] = true;
    }
    const auto total = static_cast<std::int64_t>(std::count(wanted.begin(), wanted.end(), true));
    if (options.Progress) {
        options.Progress(0, total);
    }
    MemberPacker packer(files, plan, total, writer, options, report);
    const TakeContent take = [&](std::size_t index, SourceContent& content) {
        return packer.Take(index, content);
    };
    if (auto read = source.Read(wanted, take); !read) {
        return read;
    }
    return packer.Drain();
}

ImportFailure ImportWriteFailure(const WriteFailure& failure) {
    switch (failure.Kind) {
        case WriteProblem::TooLarge:
            return ImportFailure{ImportProblem::TooLarge, {}, {}};
        case WriteProblem::AlreadyThere:
            // Put there by another run while this one worked.
            return ImportFailure{ImportProblem::AlreadyThere, {}, {}};
        case WriteProblem::CannotWrite:
        case WriteProblem::Abandoned:
            break;
    }
    return ImportFailure{ImportProblem::CannotWrite,
                         failure.Error ? ErrorToDisplay(failure.Error) : std::string(),
                         {}};
}

}  // namespace vrel
