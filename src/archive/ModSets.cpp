#include "archive/ModSets.h"

#include <algorithm>

#include "base/AsciiCase.h"
#include "base/PathHelpers.h"
#include "base/TextFile.h"

namespace vrel {
namespace {

constexpr std::string_view kInUseKey = "in use";
constexpr std::string_view kRememberKey = "remember ticks";
constexpr std::string_view kTickedKey = "ticked";

// The value of `line` when it is "key=value", the key in any letter case.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos ||
        AsciiToLower(TrimBlanks(line.substr(0, equals))) != key) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(equals + 1));
}

}  // namespace

const ModSet* ModSets::Find(std::string_view name) const {
    const auto found =
        std::find_if(Sets.begin(), Sets.end(), [&](const ModSet& set) { return set.Name == name; });
    return found == Sets.end() ? nullptr : &*found;
}

ModSet* ModSets::Find(std::string_view name) {
    return const_cast<ModSet*>(std::as_const(*this).Find(name));
}

std::vector<std::string> ModSetNames(const std::vector<ModSetMod>& mods) {
    std::vector<std::string> names;
    names.reserve(mods.size());
    for (const ModSetMod& mod : mods) {
        names.push_back(mod.Name);
    }
    return names;
}

ModSets ParseModSets(std::string_view text) {
    ModSets sets;
    ModSet* current = nullptr;
    for (const std::string_view line : NonBlankLines(text)) {
        if (line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
            // A second section of one name is passed over with its lines.
            current = nullptr;
            if (!name.empty() && sets.Find(name) == nullptr) {
                current = &sets.Sets.emplace_back(ModSet{std::string(name), {}});
            }
            continue;
        }
        if (current != nullptr) {
            const std::string_view name = TrimBlanks(line.substr(1));
            if ((line.front() == '+' || line.front() == '-') && !name.empty()) {
                current->Mods.push_back({std::string(name), line.front() == '+'});
            }
        } else if (const auto inUse = ValueOf(line, kInUseKey)) {
            sets.InUse = *inUse;
        } else if (const auto remember = ValueOf(line, kRememberKey)) {
            sets.RememberTicks = *remember == "1";
        } else if (const auto ticked = ValueOf(line, kTickedKey); ticked && !ticked->empty()) {
            sets.LastTicked.emplace_back(*ticked);
        }
    }
    if (sets.Find(sets.InUse) == nullptr) {
        sets.InUse.clear();
    }
    return sets;
}

std::string FormatModSets(const ModSets& sets) {
    std::string text =
        "; Vrel's mod sets. [A set's name], then its mods in order, one a line:\n"
        "; \"+\" before a ticked mod, \"-\" before one left unticked.\n";
    if (!sets.InUse.empty()) {
        text += "In use=" + sets.InUse + "\n";
    }
    text += std::string("Remember ticks=") + (sets.RememberTicks ? "1" : "0") + "\n";
    for (const std::string& name : sets.LastTicked) {
        text += "Ticked=" + name + "\n";
    }
    for (const ModSet& set : sets.Sets) {
        text += "\n[" + set.Name + "]\n";
        for (const ModSetMod& mod : set.Mods) {
            text += (mod.Ticked ? "+" : "-") + mod.Name + "\n";
        }
    }
    return text;
}

ModSets ReadModSets(const std::filesystem::path& programFolder) {
    const auto text = ReadTextFile(ProgramFile(programFolder, kModSetsFile));
    return text ? ParseModSets(*text) : ModSets();
}

Expected<void, PlaceFailure> SaveModSets(const std::filesystem::path& programFolder,
                                         const ModSets& sets) {
    return PutTextFile(ProgramFile(programFolder, kModSetsFile), FormatModSets(sets));
}

bool IsModSetName(std::string_view name) {
    return !name.empty() && TrimBlanks(name) == name &&
           name.find_first_of("\r\n") == std::string_view::npos &&
           !(name.front() == '[' || name.front() == ';' || name.front() == '#');
}

}  // namespace vrel
