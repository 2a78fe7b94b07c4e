#include "archive/SourcePaths.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

#include "archive/GamePatch.h"
#include "archive/MemberPath.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

// The folders under the game's data folder that the game reads mods from.
constexpr std::array<std::string_view, 7> kGameDataFolders = {
    "art", "maps", "premade", "proto", "scripts", "sound", "text"};

// The game's own archives besides its patch, which no mod replaces.
constexpr std::array<std::string_view, 2> kGameArchives = {"master.dat", "critter.dat"};

bool EndsWithAny(const std::string& lower, std::initializer_list<std::string_view> suffixes) {
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&](std::string_view suffix) { return lower.ends_with(suffix); });
}

bool InFolder(const std::vector<std::string>& parts, std::string_view folder) {
    return std::any_of(parts.begin(), parts.end() - 1,
                       [&](const std::string& part) { return AnsiToLower(part) == folder; });
}

// Archives that the game folder holds beside Fallout2.exe: sfall's own and its language
// archives, and the high-resolution patch's.
bool IsGameFolderArchive(const std::string& lower) {
    return lower == "sfall.dat" || lower == "f2_res.dat" ||
           (lower.starts_with("sfall_") && lower.ends_with(".dat"));
}

LeftOutKind ArchiveKind(const std::vector<std::string>& parts, const std::string& lower) {
    if (IsGamePatch(lower) ||
        std::find(kGameArchives.begin(), kGameArchives.end(), lower) != kGameArchives.end()) {
        return LeftOutKind::GameArchive;
    }
    if (IsGameFolderArchive(lower)) {
        return LeftOutKind::GameFolder;
    }
    // sfall reads the hero's looks from its own folder of archives.
    if (InFolder(parts, "appearance")) {
        return LeftOutKind::Appearance;
    }
    return LeftOutKind::ModArchive;
}

}  // namespace

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

bool IsDataFolder(const std::string& part) {
    return AnsiToLower(part) == "data";
}

bool IsGameDataFolder(const std::string& part) {
    const std::string lower = AnsiToLower(part);
    return std::find(kGameDataFolders.begin(), kGameDataFolders.end(), lower) !=
           kGameDataFolders.end();
}

std::optional<LeftOutKind> LeftOutKindOf(const std::vector<std::string>& parts) {
    const std::string lower = AnsiToLower(parts.empty() ? std::string() : parts.back());
    if (lower.starts_with("._") || lower == ".ds_store" || lower == "thumbs.db" ||
        lower == "desktop.ini" || lower.starts_with(".git") ||
        (!parts.empty() && InFolder(parts, "__macosx"))) {
        return std::nullopt;
    }
    if (lower == "fallout2.exe") {
        return LeftOutKind::GameProgram;
    }
    // sfall loads whatever its mods folder holds, .dat files and loose files alike.
    if (!parts.empty() && InFolder(parts, "mods")) {
        return LeftOutKind::SfallMod;
    }
    if (lower.ends_with(".dat")) {
        return ArchiveKind(parts, lower);
    }
    if (EndsWithAny(lower, {".zip", ".7z", ".rar"})) {
        return LeftOutKind::PackedArchive;
    }
    if (lower.ends_with(".ini") && !parts.empty() && InFolder(parts, "config")) {
        return LeftOutKind::ConfigFolder;
    }
    if (EndsWithAny(lower, {".ini", ".dll", ".exe", ".cfg", ".asi", ".bat", ".cmd", ".sh"})) {
        return LeftOutKind::GameFolder;
    }
    if (EndsWithAny(lower, {".txt", ".nfo", ".doc", ".docx", ".rtf", ".pdf", ".htm", ".html", ".md",
                            ".png", ".jpg", ".jpeg", ".gif"}) ||
        lower == "license" || lower == "readme") {
        return LeftOutKind::ReadMe;
    }
    return LeftOutKind::Other;
}

bool DataRoot::Holds(const std::vector<std::string>& parts) const {
    if (parts.size() <= Depth || (Depth == 1 && parts[0] != Wrapper)) {
        return false;
    }
    if (InDataFolder) {
        return parts.size() > Depth + 1 && IsDataFolder(parts[Depth]);
    }
    if (parts.size() == Depth + 1) {
        return LeftOutKindOf(parts) == LeftOutKind::Other;
    }
    // The game's data folder holds a data folder of its own (vault13.gam, maps.txt and such).
    return IsGameDataFolder(parts[Depth]) || IsDataFolder(parts[Depth]);
}

bool DataRoot::AtTop(const std::vector<std::string>& parts) const {
    return parts.size() == 1 || (Depth == 1 && parts.size() == 2 && parts[0] == Wrapper);
}

bool DataRoot::Beside(const std::vector<std::string>& parts) const {
    return InDataFolder && parts.size() > Depth + 1 && (Depth == 0 || parts[0] == Wrapper) &&
           IsGameDataFolder(parts[Depth]);
}

std::string DataRoot::Shown() const {
    return (Depth == 1 ? Wrapper + "/" : "") + (InDataFolder ? "data" : "");
}

namespace {

// A data folder that holds the game's folders is the root; else a level that holds them itself
// (beside the game's own data\data folder, as sfall's folder mods are shaped); else a data
// folder that holds any file.
std::optional<DataRoot> FindDataRootAt(const std::vector<std::vector<std::string>>& paths,
                                       std::size_t depth, const std::string& wrapper) {
    const auto underWrapper = [&](const std::vector<std::string>& parts) {
        return parts.size() > depth + 1 && (depth == 0 || parts[0] == wrapper);
    };
    const auto any = [&](auto holds) { return std::any_of(paths.begin(), paths.end(), holds); };
    if (any([&](const auto& parts) {
            return underWrapper(parts) && parts.size() > depth + 2 && IsDataFolder(parts[depth]) &&
                   IsGameDataFolder(parts[depth + 1]);
        })) {
        return DataRoot{depth, wrapper, true};
    }
    if (any([&](const auto& parts) {
            return underWrapper(parts) && IsGameDataFolder(parts[depth]);
        })) {
        return DataRoot{depth, wrapper, false};
    }
    if (any([&](const auto& parts) { return underWrapper(parts) && IsDataFolder(parts[depth]); })) {
        return DataRoot{depth, wrapper, true};
    }
    return std::nullopt;
}

}  // namespace

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

}  // namespace vrel
