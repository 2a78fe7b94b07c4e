#include "archive/ModImport.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "archive/DatModCopy.h"
#include "archive/DatWriter.h"
#include "archive/ModPacking.h"
#include "archive/ModPlan.h"
#include "archive/NewMemberName.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"

namespace vrel {
namespace {

bool MayReplace(const ImportOptions& options, const std::filesystem::path& existing) {
    return options.MayReplace ? options.MayReplace(existing) : options.Replace;
}

void SortLeftOut(ImportReport& report) {
    std::sort(report.LeftOut.begin(), report.LeftOut.end(),
              [](const LeftOutFile& a, const LeftOutFile& b) { return a.Path < b.Path; });
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

// A source whose mods are .dat files: each copied into Patches under its own name.
Expected<ImportReport, ImportFailure> ImportDatMods(ModSource& source,
                                                    const std::vector<SourceFile>& files,
                                                    ModPlan& plan,
                                                    const std::filesystem::path& patches,
                                                    const ImportOptions& options) {
    auto targets = DatModTargets(files, plan.DatMods, patches, options);
    if (!targets) {
        return Unexpected{targets.error()};
    }
    auto copied = CopyDatMods(source, files, *targets);
    if (!copied) {
        return Unexpected{copied.error()};
    }
    ImportReport report;
    report.Copied = std::move(*copied);
    report.LeftOut = std::move(plan.LeftOut);
    SortLeftOut(report);
    return report;
}

// A .dat given by itself is the mod, whatever its name (patch000.dat belongs in Patches too): it
// is checked and copied to the target, as a dropped one is.
Expected<ImportReport, ImportFailure> ImportOneDat(ModSource& source,
                                                   const std::vector<SourceFile>& files,
                                                   const std::filesystem::path& target,
                                                   const ImportOptions& options) {
    std::error_code error;
    const bool replacing = std::filesystem::exists(target, error);
    if (replacing && !MayReplace(options, target)) {
        return Unexpected{ImportFailure{ImportProblem::AlreadyThere, {}, {}}};
    }
    auto copied = CopyDatMods(source, files, {{0, target, replacing || options.Replace}});
    if (!copied) {
        return Unexpected{copied.error()};
    }
    ImportReport report;
    report.Copied = std::move(*copied);
    return report;
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
    std::error_code error;
    const std::u8string suffix = source.extension().u8string();
    if (AnsiToLower(std::string(suffix.begin(), suffix.end())) == ".dat" &&
        !std::filesystem::is_directory(source, error)) {
        return ImportOneDat(modSource, files, target, options);
    }
    ModPlan plan = PlanModImport(files, modSource.Folders(), modName);
    if (!plan.Refusals.empty()) {
        return Unexpected{ImportFailure{ImportProblem::RefusedNames, {}, std::move(plan.Refusals)}};
    }
    if (plan.Failure) {
        return Unexpected{*plan.Failure};
    }
    if (!plan.DatMods.empty()) {
        return ImportDatMods(modSource, files, plan, target.parent_path(), options);
    }
    if (plan.Members.empty()) {
        return Unexpected{ImportFailure{ImportProblem::NothingToImport, {}, {}}};
    }
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
        return Unexpected{ImportWriteFailure(writer.error())};
    }
    ImportReport report;
    report.LeftOut = std::move(plan.LeftOut);
    if (const auto packed = PackModMembers(modSource, files, plan, *writer, options, report);
        !packed) {
        return Unexpected{packed.error()};
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
        return Unexpected{ImportWriteFailure(finished.error())};
    }
    report.Members = static_cast<std::int32_t>(writer->Entries().size());
    report.Archive = writer->Path();
    SortLeftOut(report);
    return report;
}

std::string DescribeLeftOut(LeftOutKind kind) {
    switch (kind) {
        case LeftOutKind::GameFolder:
            return "belongs in the game folder, beside Fallout2.exe";
        case LeftOutKind::GameProgram:
            return "is the game's program, in the game folder";
        case LeftOutKind::ConfigFolder:
            return "belongs in the config folder of the game folder";
        case LeftOutKind::Appearance:
            return "belongs in the appearance folder of the game folder, where sfall reads it";
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
    if (!AnsiToLower(std::string(text.begin(), text.end())).ends_with(".dat")) {
        file += ".dat";
    }
    return file;
}

}  // namespace vrel
