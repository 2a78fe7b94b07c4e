#include "archive/ModPlan.h"

#include <algorithm>
#include <map>
#include <set>

#include "archive/DatEntry.h"
#include "archive/GameOrder.h"
#include "archive/MemberPath.h"
#include "archive/NewMemberName.h"
#include "archive/ReadMeText.h"
#include "archive/SourcePaths.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

// Mods that come as DAT archives: the .dat files at the top, or else those in the one folder
// that wraps them.
std::vector<std::size_t> FindDatMods(const std::vector<SourceFile>& files,
                                     const std::vector<std::vector<std::string>>& paths) {
    std::vector<std::size_t> top;
    std::map<std::string, std::vector<std::size_t>> wrapped;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].Regular || LeftOutKindOf(paths[i]) != LeftOutKind::ModArchive) {
            continue;
        }
        if (paths[i].size() == 1) {
            top.push_back(i);
        } else if (paths[i].size() == 2) {
            wrapped[paths[i][0]].push_back(i);
        }
    }
    if (top.empty() && wrapped.size() == 1) {
        return wrapped.begin()->second;
    }
    return top;
}

// An empty data folder at the top or in a wrapping folder, which the listing of files misses.
std::optional<std::string> FindEmptyDataFolder(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::vector<std::string> parts = SplitPath(folder);
        if (!parts.empty() && parts.size() <= 2 && IsDataFolder(parts.back())) {
            return JoinPath(parts, parts.size());
        }
    }
    return std::nullopt;
}

// Why a source without data has nothing to import, in its own terms where a file shows it.
ImportFailure NothingToImport(const std::vector<LeftOutFile>& leftOut,
                              const std::vector<std::string>& folders) {
    if (auto empty = FindEmptyDataFolder(folders)) {
        return ImportFailure{ImportProblem::EmptyDataFolder, *empty, {}};
    }
    for (const LeftOutFile& file : leftOut) {
        if (file.Kind == LeftOutKind::PackedArchive || file.Kind == LeftOutKind::GameArchive ||
            file.Kind == LeftOutKind::SfallMod) {
            return ImportFailure{
                ImportProblem::NothingToImport, file.Path + " " + DescribeLeftOut(file.Kind), {}};
        }
    }
    return ImportFailure{ImportProblem::NothingToImport, {}, {}};
}

// A source's file for messages: one without a name is named by its place in the source.
std::string ShownPath(const std::vector<SourceFile>& files, std::size_t index) {
    return files[index].Path.empty() ? "entry " + std::to_string(index + 1) + " (it has no name)"
                                     : files[index].Path;
}

// Files that come twice under one path, and members that are both a file and the folder of
// another: either would leave one of them unreachable once unpacked.
void RefuseClashes(const std::vector<SourceFile>& files, const ModPlan& plan,
                   std::vector<std::string>& refusals) {
    std::map<std::string, std::size_t> seen;
    for (const PlannedMember& member : plan.Members) {
        const std::string& path = files[member.Source].Path;
        if (!seen.emplace(path, member.Source).second) {
            refusals.push_back(path + ": is in the source twice");
        }
    }
    std::map<std::string, std::size_t> byName;
    for (const PlannedMember& member : plan.Members) {
        byName.emplace(AnsiToLower(member.Name), member.Source);
    }
    for (const PlannedMember& member : plan.Members) {
        const std::string lower = AnsiToLower(member.Name);
        for (std::size_t at = lower.find('\\'); at != std::string::npos;
             at = lower.find('\\', at + 1)) {
            const auto file = byName.find(lower.substr(0, at));
            if (file != byName.end()) {
                refusals.push_back(files[file->second].Path + ": is a file, and a folder of " +
                                   files[member.Source].Path);
            }
        }
    }
}

// A name the archive cannot hold is refused wherever it stands; a colon only in a member's name
// (below), since a file left out is only listed.
void RefuseUnsafePaths(const std::vector<SourceFile>& files,
                       const std::vector<std::vector<std::string>>& paths, ModPlan& plan) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto checked = CheckMemberName(JoinPath(paths[i], paths[i].size()));
        if (!checked && checked.error() != UnsafeName::Drive) {
            plan.Refusals.push_back(ShownPath(files, i) + ": " +
                                    DescribeUnsafeName(checked.error()));
        }
    }
}

// The member name of a file under the data root: its levels below the root in Windows-1252.
Expected<std::string, NameFailure> MemberNameUnder(const DataRoot& root,
                                                   const std::vector<std::string>& parts) {
    const auto first =
        parts.begin() + static_cast<std::ptrdiff_t>(root.Depth + (root.InDataFolder ? 1 : 0));
    std::vector<std::string> memberParts;
    for (auto part = first; part != parts.end(); ++part) {
        auto ansi = StrictUtf8ToAnsi(*part);
        if (!ansi) {
            return Unexpected{ansi.error()};
        }
        memberParts.push_back(std::move(*ansi));
    }
    return JoinMemberName(memberParts);
}

// Why a file under the data root cannot be packed whatever its name; nothing when it can.
std::optional<std::string> WhyNotPackable(const SourceFile& file) {
    if (file.Encrypted) {
        return ": is encrypted; unpack it with its password and add the folder";
    }
    if (file.Size > kMaxFormatSize) {
        return ": " + std::string(kMemberTooLarge);
    }
    return std::nullopt;
}

// A source without a data folder may bring its mods as .dat files; they are not left out.
void PlanDatMods(const std::vector<SourceFile>& files,
                 const std::vector<std::vector<std::string>>& paths,
                 const std::vector<std::string>& folders, ModPlan& plan) {
    plan.DatMods = FindDatMods(files, paths);
    std::erase_if(plan.LeftOut, [&](const LeftOutFile& file) {
        return std::any_of(plan.DatMods.begin(), plan.DatMods.end(),
                           [&](std::size_t i) { return files[i].Path == file.Path; });
    });
    if (plan.DatMods.empty()) {
        plan.Failure = NothingToImport(plan.LeftOut, folders);
    }
    for (std::size_t i : plan.DatMods) {
        if (files[i].Encrypted) {
            plan.Refusals.push_back(
                files[i].Path + ": is encrypted; unpack it with its password and add the folder");
        }
    }
}

// Members whose names differ only in letter case, named by their files in the source as every
// other refusal is.
void RefuseCaseTwins(const std::vector<SourceFile>& files, ModPlan& plan) {
    std::vector<const PlannedMember*> sorted;
    for (const PlannedMember& member : plan.Members) {
        sorted.push_back(&member);
    }
    std::sort(sorted.begin(), sorted.end(), [](const PlannedMember* a, const PlannedMember* b) {
        return MemberNameBefore(a->Name, b->Name);
    });
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const std::string& before = sorted[i - 1]->Name;
        const std::string& name = sorted[i]->Name;
        // The same name twice is not a matter of case; RefuseClashes says what it is.
        if (before != name && GameOrderKey(before) == GameOrderKey(name)) {
            plan.Refusals.push_back(files[sorted[i]->Source].Path + ": differs from " +
                                    files[sorted[i - 1]->Source].Path + " only in letter case");
        }
    }
}

// A description of the mod's own at the top first, then a read-me; the first by name of each.
void ChooseDescription(const std::vector<SourceFile>& files,
                       const std::vector<std::vector<std::string>>& paths,
                       std::vector<std::size_t> topFiles, const std::string& modName,
                       ModPlan& plan) {
    std::sort(topFiles.begin(), topFiles.end(),
              [&](std::size_t a, std::size_t b) { return files[a].Path < files[b].Path; });
    std::optional<std::size_t> readMe;
    for (std::size_t i : topFiles) {
        const std::string& fileName = paths[i].back();
        if (AnsiToLower(fileName) == kDescriptionMember) {
            plan.Description = i;
            break;
        }
        if (!readMe && IsReadMeName(fileName, modName)) {
            readMe = i;
        }
    }
    if (!plan.Description) {
        plan.Description = readMe;
    }
    if (plan.Description) {
        std::erase_if(plan.LeftOut, [&](const LeftOutFile& file) {
            return file.Path == files[*plan.Description].Path;
        });
    }
}

}  // namespace

ModPlan PlanModImport(const std::vector<SourceFile>& files, const std::vector<std::string>& folders,
                      const std::string& modName) {
    ModPlan plan;
    std::vector<std::vector<std::string>> paths;
    paths.reserve(files.size());
    for (const SourceFile& file : files) {
        paths.push_back(SplitPath(file.Path));
    }
    RefuseUnsafePaths(files, paths, plan);
    if (!plan.Refusals.empty()) {
        return plan;
    }
    const std::vector<DataRoot> roots = FindDataRoots(paths);
    if (roots.size() > 1) {
        std::string shown;
        for (const DataRoot& root : roots) {
            shown += (shown.empty() ? "" : ", ") + root.Shown();
        }
        plan.Failure = ImportFailure{ImportProblem::SeveralMods, shown, {}};
        return plan;
    }
    const std::optional<DataRoot> root =
        roots.empty() ? std::nullopt : std::optional<DataRoot>(roots.front());
    std::vector<std::size_t> topFiles;
    bool bringsDescription = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SourceFile& file = files[i];
        const std::vector<std::string>& parts = paths[i];
        if (!root || !root->Holds(parts) || !file.Regular) {
            if (file.Regular && (!root || root->AtTop(parts))) {
                topFiles.push_back(i);
            }
            const std::optional<LeftOutKind> kind =
                root && root->Beside(parts) ? LeftOutKind::BesideData : LeftOutKindOf(parts);
            if (kind) {
                plan.LeftOut.push_back({file.Path, *kind});
            }
            continue;
        }
        auto name = MemberNameUnder(*root, parts);
        if (!name) {
            plan.Refusals.push_back(file.Path + ": " + DescribeNameFailure(name.error()));
        } else if (const auto why = WhyNotPackable(file)) {
            plan.Refusals.push_back(file.Path + *why);
        } else {
            bringsDescription = bringsDescription || AnsiToLower(*name) == kDescriptionMember;
            plan.Members.push_back({i, std::move(*name)});
        }
    }
    if (!root) {
        PlanDatMods(files, paths, folders, plan);
        return plan;
    }
    RefuseClashes(files, plan, plan.Refusals);
    RefuseCaseTwins(files, plan);
    if (!bringsDescription) {
        ChooseDescription(files, paths, std::move(topFiles), modName, plan);
    }
    return plan;
}

}  // namespace vrel
