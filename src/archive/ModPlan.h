#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "archive/ModImport.h"
#include "archive/ModSource.h"

namespace vrel {

struct PlannedMember {
    std::size_t Source = 0;  // index into the source's listing
    std::string Name;        // Windows-1252, backslashes
};

// What an import takes from a source, decided from its listing alone.
struct ModPlan {
    std::vector<PlannedMember> Members;  // in listing order
    // A file that becomes amoddesc.qrd, the mod's description, when the mod brings none among
    // its members: a top-level amoddesc.qrd or read-me.
    std::optional<std::size_t> Description;
    // When the source holds no data but mods as .dat files: those, to be copied as they are.
    std::vector<std::size_t> DatMods;
    std::vector<LeftOutFile> LeftOut;
    std::vector<std::string> Refusals;     // "<path>: <why>", display text
    std::optional<ImportFailure> Failure;  // why there is nothing to import
};

inline constexpr const char* kDescriptionMember = "amoddesc.qrd";

// The game's data is taken from a top-level `data` folder (any letter case) that holds the game's
// own data folders (art, maps, proto, ...), else from the level that holds them (see DataRoot),
// else from a `data` folder; one folder that wraps the whole mod is looked into. Without either,
// the .dat files at the top (or in one wrapping folder) are the mods. `modName` names the read-me
// (<modName>.txt or .nfo) besides readme*.txt; `folders` are the source's folders, empty ones too.
ModPlan PlanModImport(const std::vector<SourceFile>& files, const std::vector<std::string>& folders,
                      const std::string& modName);

}  // namespace vrel
