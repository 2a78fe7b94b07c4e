#include "archive/ModImport.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "archive/DatModCopy.h"
#include "archive/DatWriter.h"
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
Expected<std::vector<DatModTarget>, ImportError> DatModTargets(const std::vector<SourceFile>& files,
                                                               const std::vector<std::size_t>& mods,
                                                               const std::filesystem::path& patches,
                                                               const ImportOptions& options) {
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
                ImportError{ImportFailure::AlreadyThere, PathToDisplay(*existing), {}}};
        }
        targets.push_back({index, existing.value_or(patches / fileName), existing.has_value()});
    }
    if (!refusals.empty()) {
        return Unexpected{ImportError{ImportFailure::RefusedNames, {}, std::move(refusals)}};
    }
    return targets;
}

ImportError WriteError(WriteFailure failure) {
    return ImportError{
        failure == WriteFailure::TooLarge ? ImportFailure::TooLarge : ImportFailure::CannotWrite,
        {},
        {}};
}

}  // namespace

Expected<ImportReport, ImportError> ImportMod(const std::filesystem::path& source,
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
        return Unexpected{ImportError{ImportFailure::RefusedNames, {}, std::move(plan.Refusals)}};
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
        return Unexpected{ImportError{ImportFailure::NothingToImport, {}, {}}};
    }
    std::error_code error;
    if (std::filesystem::exists(target, error) && !MayReplace(options, target)) {
        return Unexpected{ImportError{ImportFailure::AlreadyThere, {}, {}}};
    }

    auto writer = DatWriter::Create(target);
    if (!writer) {
        return Unexpected{ImportError{ImportFailure::CannotWrite, {}, {}}};
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
    // flight, so memory stays bounded by the threads times the largest file.
    struct Packed {
        const std::string* Name;
        EncodedMember Member;
    };
    const int threads = WorkerThreads(options.Threads);
    OrderedPool<Packed> pool(threads);
    const std::size_t inFlight = 4 * static_cast<std::size_t>(threads);
    const int level = writer->Level();
    auto writeOne = [&]() -> std::optional<ImportError> {
        const Packed packed = pool.TakeNext();
        if (auto failure = writer->AddEncoded(*packed.Name, packed.Member)) {
            return WriteError(*failure);
        }
        if (options.Progress) {
            options.Progress(++done, total);
        }
        return std::nullopt;
    };
    static const std::string kDescriptionName = kDescriptionMember;
    const TakeContent take =
        [&](std::size_t index,
            std::span<const std::uint8_t> content) -> std::optional<ImportError> {
        const std::string* name = names[index];
        std::vector<std::uint8_t> bytes;
        if (name) {
            bytes.assign(content.begin(), content.end());
        } else if (auto text = DescriptionText(files[index].Path, content)) {
            name = &kDescriptionName;
            bytes = std::move(*text);
            report.DescriptionFrom = files[index].Path;
        } else {
            report.LeftOut.push_back({files[index].Path, LeftOutKind::ReadMe});
            return std::nullopt;
        }
        if (pool.Pending() >= inFlight) {
            if (auto failure = writeOne()) {
                return failure;
            }
        }
        pool.Submit([name, level, content = std::move(bytes)] {
            return Packed{name, EncodeMember(content, MemberStorage::Smallest, level)};
        });
        return std::nullopt;
    };
    if (auto failure = modSource.Read(wanted, take)) {
        return Unexpected{*failure};
    }
    while (pool.Pending() > 0) {
        if (auto failure = writeOne()) {
            return Unexpected{*failure};
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
    if (auto failure = writer->Finish(before)) {
        return Unexpected{WriteError(*failure)};
    }
    report.Members = static_cast<std::int32_t>(writer->Entries().size());
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
    std::filesystem::path file = std::filesystem::path(name);
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
