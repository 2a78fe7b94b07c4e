#include "archive/ModPlan.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "archive/MemberPath.h"
#include "archive/NewMemberName.h"
#include "archive/ReadMeText.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

constexpr std::int64_t kMaxMemberSize = 0x7FFFFFFF;

// The folders under the game's data folder that the game reads mods from.
constexpr std::array<std::string_view, 7> kGameDataFolders = {
    "art", "maps", "premade", "proto", "scripts", "sound", "text"};

// The game's own archives, which no mod replaces.
constexpr std::array<std::string_view, 3> kGameArchives = {"patch000.dat", "master.dat",
                                                           "critter.dat"};

bool IsDataFolder(const std::string& part) {
    return AnsiToLower(part) == "data";
}

bool IsGameDataFolder(const std::string& part) {
    const std::string lower = AnsiToLower(part);
    return std::find(kGameDataFolders.begin(), kGameDataFolders.end(), lower) !=
           kGameDataFolders.end();
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    for (std::string_view part : MemberPathParts(path)) {
        parts.emplace_back(part);
    }
    // Some tools write "./" before every name.
    while (parts.size() > 1 && parts.front() == ".") {
        parts.erase(parts.begin());
    }
    return parts;
}

std::string JoinPath(const std::vector<std::string>& parts, std::size_t count) {
    std::string path;
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
        path += (path.empty() ? "" : "/") + parts[i];
    }
    return path;
}

bool EndsWith(const std::string& lower, std::string_view suffix) {
    return lower.size() >= suffix.size() &&
           std::string_view(lower).substr(lower.size() - suffix.size()) == suffix;
}

// Where a file outside the game's data belongs, from its name and the folders it is in.
LeftOutKind KindOf(const std::vector<std::string>& parts) {
    const std::string lower = AnsiToLower(parts.empty() ? std::string() : parts.back());
    if (EndsWith(lower, ".dat")) {
        if (std::find(kGameArchives.begin(), kGameArchives.end(), lower) != kGameArchives.end()) {
            return LeftOutKind::GameArchive;
        }
        if (lower == "sfall.dat") {
            return LeftOutKind::GameFolder;
        }
        const bool inSfallMods = std::any_of(parts.begin(), parts.end() - 1, [](const auto& part) {
            return AnsiToLower(part) == "mods";
        });
        return inSfallMods ? LeftOutKind::SfallMod : LeftOutKind::ModArchive;
    }
    for (std::string_view suffix : {".zip", ".7z", ".rar"}) {
        if (EndsWith(lower, suffix)) {
            return LeftOutKind::PackedArchive;
        }
    }
    for (std::string_view suffix : {".ini", ".dll", ".exe", ".cfg", ".asi", ".bat", ".cmd"}) {
        if (EndsWith(lower, suffix)) {
            return LeftOutKind::GameFolder;
        }
    }
    for (std::string_view suffix :
         {".txt", ".nfo", ".doc", ".docx", ".rtf", ".pdf", ".htm", ".html", ".md"}) {
        if (EndsWith(lower, suffix)) {
            return LeftOutKind::ReadMe;
        }
    }
    return LeftOutKind::Other;
}

// Where the game's data lies in a source: below `Depth` folder levels (0, or 1 inside a wrapping
// folder named `Wrapper`), in `data` folders or in the game's data folders themselves.
struct DataRoot {
    std::size_t Depth = 0;
    std::string Wrapper;
    bool InDataFolder = false;

    bool Holds(const std::vector<std::string>& parts) const {
        if (parts.size() <= Depth + 1 || (Depth == 1 && parts[0] != Wrapper)) {
            return false;
        }
        return InDataFolder ? IsDataFolder(parts[Depth]) : IsGameDataFolder(parts[Depth]);
    }
    bool AtTop(const std::vector<std::string>& parts) const {
        return parts.size() == 1 || (Depth == 1 && parts.size() == 2 && parts[0] == Wrapper);
    }
    // One of the game's folders beside the data folder, which is not taken.
    bool Beside(const std::vector<std::string>& parts) const {
        return InDataFolder && parts.size() > Depth + 1 && (Depth == 0 || parts[0] == Wrapper) &&
               IsGameDataFolder(parts[Depth]);
    }
    std::string Shown() const {
        return (Depth == 1 ? Wrapper + "/" : "") + (InDataFolder ? "data" : "");
    }
};

std::optional<DataRoot> FindDataRootAt(const std::vector<std::vector<std::string>>& paths,
                                       std::size_t depth, const std::string& wrapper) {
    for (bool inData : {true, false}) {
        const DataRoot root{depth, wrapper, inData};
        for (const auto& parts : paths) {
            if (root.Holds(parts)) {
                return root;
            }
        }
    }
    return std::nullopt;
}

// The data of the one mod in the source; more than one when several folders each wrap a mod.
std::vector<DataRoot> FindDataRoots(const std::vector<std::vector<std::string>>& paths) {
    if (auto root = FindDataRootAt(paths, 0, {})) {
        return {*root};
    }
    // One folder that wraps the mod, beside which others (such as __MACOSX) may lie.
    std::vector<std::string> topFolders;
    for (const auto& parts : paths) {
        if (parts.size() > 1 && parts[0] != "__MACOSX" &&
            std::find(topFolders.begin(), topFolders.end(), parts[0]) == topFolders.end()) {
            topFolders.push_back(parts[0]);
        }
    }
    std::vector<DataRoot> found;
    for (const std::string& folder : topFolders) {
        if (auto root = FindDataRootAt(paths, 1, folder)) {
            found.push_back(*root);
        }
    }
    return found;
}

// Mods that come as DAT archives: the .dat files at the top, or else those in the one folder
// that wraps them.
std::vector<std::size_t> FindDatMods(const std::vector<SourceFile>& files,
                                     const std::vector<std::vector<std::string>>& paths) {
    std::vector<std::size_t> top;
    std::map<std::string, std::vector<std::size_t>> wrapped;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].Regular || KindOf(paths[i]) != LeftOutKind::ModArchive) {
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
    if (file.Size > kMaxMemberSize) {
        return ": larger than 2 GiB, more than a member of a DAT archive holds";
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

void RefuseCaseTwins(ModPlan& plan) {
    std::vector<std::string> names;
    for (const PlannedMember& member : plan.Members) {
        names.push_back(member.Name);
    }
    std::sort(names.begin(), names.end(), MemberNameBefore);
    for (std::string& refusal : CaseTwinRefusals(names)) {
        plan.Refusals.push_back(std::move(refusal));
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
            const bool beside = root && root->Beside(parts);
            plan.LeftOut.push_back({file.Path, beside ? LeftOutKind::BesideData : KindOf(parts)});
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
    RefuseCaseTwins(plan);
    if (!bringsDescription) {
        ChooseDescription(files, paths, std::move(topFiles), modName, plan);
    }
    return plan;
}

}  // namespace vrel
