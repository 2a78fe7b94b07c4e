#include "archive/ModImport.h"

#include <algorithm>
#include <map>
#include <new>
#include <system_error>

#include "archive/DatModCopy.h"
#include "archive/DatWriter.h"
#include "archive/MemberPieces.h"
#include "archive/ModPlan.h"
#include "archive/NewMemberName.h"
#include "archive/OrderedPool.h"
#include "archive/ReadMeText.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"

namespace vrel {
namespace {

bool EndsWith(const std::string& lower, std::string_view suffix) {
    return lower.size() >= suffix.size() &&
           std::string_view(lower).substr(lower.size() - suffix.size()) == suffix;
}

bool MayReplace(const ImportOptions& options, const std::filesystem::path& existing) {
    return options.MayReplace ? options.MayReplace(existing) : options.Replace;
}

// Each .dat mod's place in Patches, under its own name as the folder spells it.
Expected<std::vector<DatModTarget>, ImportFailure> DatModTargets(
    const std::vector<SourceFile>& files, const std::vector<std::size_t>& mods,
    const std::filesystem::path& patches, const ImportOptions& options) {
    std::vector<DatModTarget> targets;
    std::map<std::string, std::string> byName;
    std::vector<std::string> refusals;
    for (std::size_t index : mods) {
        const std::string& path = files[index].Path;
        const std::string name = path.substr(path.find_last_of('/') + 1);
        const auto [twin, fresh] = byName.emplace(AnsiToLower(Utf8ToAnsi(name)), path);
        if (!fresh) {
            refusals.push_back(path + ": differs from " + twin->second + " only in letter case");
            continue;
        }
        const std::filesystem::path fileName = DisplayToPath(name);
        const auto existing = FindEntryCaseBlind(patches, fileName);
        if (existing && !MayReplace(options, *existing)) {
            return Unexpected{
                ImportFailure{ImportProblem::AlreadyThere, PathToDisplay(*existing), {}}};
        }
        targets.push_back(
            {index, existing.value_or(patches / fileName), existing || options.Replace});
    }
    if (!refusals.empty()) {
        return Unexpected{ImportFailure{ImportProblem::RefusedNames, {}, std::move(refusals)}};
    }
    return targets;
}

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

ImportFailure WriteError(const WriteFailure& failure) {
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

}  // namespace

Expected<ImportReport, ImportFailure> ImportMod(const std::filesystem::path& source,
                                                const std::filesystem::path& target,
                                                const ImportOptions& options) {
    auto opened = OpenModSource(source);
    if (!opened) {
        return Unexpected{opened.error()};
    }
    ModSource& modSource = **opened;
    auto listed = modSource.List();
    if (!listed) {
        return Unexpected{listed.error()};
    }
    const std::vector<SourceFile>& files = *listed;
    const std::u8string stem = target.stem().u8string();
    const std::string modName =
        options.ModName.empty() ? std::string(stem.begin(), stem.end()) : options.ModName;
    ModPlan plan = PlanModImport(files, modSource.Folders(), modName);
    if (!plan.Refusals.empty()) {
        return Unexpected{ImportFailure{ImportProblem::RefusedNames, {}, std::move(plan.Refusals)}};
    }
    if (plan.Failure) {
        return Unexpected{*plan.Failure};
    }
    if (!plan.DatMods.empty()) {
        auto targets = DatModTargets(files, plan.DatMods, target.parent_path(), options);
        if (!targets) {
            return Unexpected{targets.error()};
        }
        auto copied = CopyDatMods(modSource, files, *targets);
        if (!copied) {
            return Unexpected{copied.error()};
        }
        ImportReport report;
        report.Copied = std::move(*copied);
        report.LeftOut = std::move(plan.LeftOut);
        std::sort(report.LeftOut.begin(), report.LeftOut.end(),
                  [](const LeftOutFile& a, const LeftOutFile& b) { return a.Path < b.Path; });
        return report;
    }
    if (plan.Members.empty()) {
        return Unexpected{ImportFailure{ImportProblem::NothingToImport, {}, {}}};
    }
    std::error_code error;
    const bool replacing = std::filesystem::exists(target, error);
    if (replacing && !MayReplace(options, target)) {
        return Unexpected{ImportFailure{ImportProblem::AlreadyThere, {}, {}}};
    }

    // Patches is read without regard to letter case, so a new mod must not take a name that
    // another has in other letters, even one that another import puts there meanwhile; one that
    // replaces takes the place of the mod of that name in any letters.
    auto writer = DatWriter::Create(
        target, -1,
        replacing || options.Replace ? Placing::ReplaceInAnyCase : Placing::NewInAnyCase);
    if (!writer) {
        return Unexpected{WriteError(writer.error())};
    }
    std::vector<bool> wanted(files.size(), false);
    std::vector<const std::string*> names(files.size(), nullptr);
    for (const PlannedMember& member : plan.Members) {
        wanted[member.Source] = true;
        names[member.Source] = &member.Name;
    }
    if (plan.Description) {
        wanted[*plan.Description] = true;
    }
    ImportReport report;
    report.LeftOut = std::move(plan.LeftOut);
    const auto total = static_cast<std::int64_t>(std::count(wanted.begin(), wanted.end(), true));
    std::int64_t done = 0;
    if (options.Progress) {
        options.Progress(done, total);
    }
    // The source is read on this thread, one file after another, while the workers pack what was
    // read; the writer takes the members in the order read. A few files per thread are in
    // flight, each at most a large member's size: a larger file is packed and written here as
    // it is read, so memory stays bounded by the work, not by the largest file.
    struct Packed {
        const std::string* Name;
        EncodedMember Member;
        std::size_t Source = 0;
        bool OutOfMemory = false;
    };
    const int threads = WorkerThreads(options.Threads);
    OrderedPool<Packed> pool(threads);
    const std::size_t inFlight = 4 * static_cast<std::size_t>(threads);
    const int level = writer->Level();
    auto outOfMemory = [&](std::size_t index) {
        return ImportFailure{ImportProblem::OutOfMemory, files[index].Path, {}};
    };
    auto stepDone = [&] {
        if (options.Progress) {
            options.Progress(++done, total);
        }
    };
    auto writeOne = [&]() -> Expected<void, ImportFailure> {
        const Packed packed = pool.TakeNext();
        if (packed.OutOfMemory) {
            return Unexpected{outOfMemory(packed.Source)};
        }
        if (const auto added = writer->AddEncoded(*packed.Name, packed.Member); !added) {
            return Unexpected{WriteError(added.error())};
        }
        stepDone();
        return {};
    };
    auto writeLarge = [&](std::size_t index, std::span<const std::uint8_t> start,
                          SourceContent& content) -> Expected<void, ImportFailure> {
        while (pool.Pending() > 0) {
            if (auto written = writeOne(); !written) {
                return written;
            }
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
            if (options.WithinFile) {
                options.WithinFile(bytes, files[index].Size);
            }
        };
        if (const auto added =
                writer->AddStreamed(*names[index], read, MemberStorage::Smallest, progress);
            !added) {
            return Unexpected{added.error().Kind == WriteProblem::Abandoned && readFailure
                                  ? *readFailure
                                  : WriteError(added.error())};
        }
        stepDone();
        return {};
    };
    static const std::string kDescriptionName = kDescriptionMember;
    const TakeContent take = [&](std::size_t index,
                                 SourceContent& content) -> Expected<void, ImportFailure> {
        try {
            const std::string* name = names[index];
            std::vector<std::uint8_t> bytes;
            const auto whole =
                ReadUpTo(content, static_cast<std::size_t>(kLargeMember), files[index].Size, bytes);
            if (!whole) {
                return Unexpected{whole.error()};
            }
            if (!*whole) {
                if (!name) {
                    // Too long for a description; the player reads it beside the mod.
                    report.LeftOut.push_back({files[index].Path, LeftOutKind::ReadMe});
                    return {};
                }
                return writeLarge(index, bytes, content);
            }
            if (!name) {
                auto text = DescriptionText(files[index].Path, bytes);
                if (!text) {
                    report.LeftOut.push_back({files[index].Path, LeftOutKind::ReadMe});
                    return {};
                }
                name = &kDescriptionName;
                bytes = std::move(*text);
                report.DescriptionFrom = files[index].Path;
            }
            if (pool.Pending() >= inFlight) {
                if (auto written = writeOne(); !written) {
                    return written;
                }
            }
            pool.Submit([name, level, index, content = std::move(bytes)]() -> Packed {
                try {
                    return Packed{name, EncodeMember(content, MemberStorage::Smallest, level),
                                  index};
                } catch (const std::bad_alloc&) {
                    return Packed{name, {}, index, true};
                }
            });
            return {};
        } catch (const std::bad_alloc&) {
            return Unexpected{outOfMemory(index)};
        }
    };
    if (const auto read = modSource.Read(wanted, take); !read) {
        return Unexpected{read.error()};
    }
    while (pool.Pending() > 0) {
        if (const auto written = writeOne(); !written) {
            return Unexpected{written.error()};
        }
    }
    // The description is the first entry, where the start-up scan looks for it; the rest is in
    // the order the game searches.
    const auto before = [](const WrittenEntry& a, const WrittenEntry& b) {
        const bool aDescribes = AnsiToLower(a.Name) == kDescriptionMember;
        const bool bDescribes = AnsiToLower(b.Name) == kDescriptionMember;
        if (aDescribes != bDescribes) {
            return aDescribes;
        }
        return MemberNameBefore(a.Name, b.Name);
    };
    if (const auto finished = writer->Finish(before); !finished) {
        return Unexpected{WriteError(finished.error())};
    }
    report.Members = static_cast<std::int32_t>(writer->Entries().size());
    report.Archive = writer->Path();
    std::sort(report.LeftOut.begin(), report.LeftOut.end(),
              [](const LeftOutFile& a, const LeftOutFile& b) { return a.Path < b.Path; });
    return report;
}

std::string DescribeLeftOut(LeftOutKind kind) {
    switch (kind) {
        case LeftOutKind::GameFolder:
            return "belongs in the game folder, beside Fallout2.exe";
        case LeftOutKind::ReadMe:
            return "for reading";
        case LeftOutKind::Other:
            break;
        case LeftOutKind::GameArchive:
            return "is the game's own archive, not a mod";
        case LeftOutKind::SfallMod:
            return "belongs in sfall's mods folder, in the game folder";
        case LeftOutKind::ModArchive:
            return "is a mod of its own; add it by itself";
        case LeftOutKind::PackedArchive:
            return "is an archive of its own; unpack it and add what it holds";
        case LeftOutKind::BesideData:
            return "lies beside the mod's data folder, and only the data folder is taken";
    }
    return "not part of the game's data";
}

std::filesystem::path ImportArchiveName(const std::filesystem::path& source,
                                        const std::string& name) {
    std::filesystem::path file = DisplayToPath(name);
    if (name.empty()) {
        const std::filesystem::path whole = source.has_filename() ? source : source.parent_path();
        const std::u8string suffix = whole.extension().u8string();
        const std::string extension = AnsiToLower(std::string(suffix.begin(), suffix.end()));
        file = extension == ".zip" || extension == ".7z" ? whole.stem() : whole.filename();
    }
    const std::u8string text = file.u8string();
    if (!EndsWith(AnsiToLower(std::string(text.begin(), text.end())), ".dat")) {
        file += ".dat";
    }
    return file;
}

}  // namespace vrel
