#pragma once

#include "CatalogueBuilder.h"
#include "state/ModList.h"
#include "state/ModListing.h"
#include "state/ProgramState.h"

namespace vrel::testing {

// The mod list as Play reads it: every archive in the program's Patches folder, ticked, in the
// order the folder lists them.
inline void TickEveryArchive(ProgramState& state) {
    const std::filesystem::path patches = state.ProgramFolder / "Patches";
    state.Mods = ModList();
    for (const std::filesystem::path& name : ListDatFiles(patches)) {
        state.Mods.Append({name}, state.Mods.Count() + 1, 0, patches / name, true, "", nullptr);
    }
}

// A mod list made up for a test, a row for each archive, named after its file.
inline void FillCatalogue(ModList& mods, const std::vector<DatSpec>& dats) {
    for (const DatSpec& dat : dats) {
        auto files = std::make_shared<FileInDat_Collection>();
        for (const std::string& member : dat.Members) {
            files->Add(member);
        }
        mods.Append({dat.FullPath.filename()}, mods.Count() + 1,
                    static_cast<int>(dat.Members.size()), dat.FullPath, dat.Selected, "", files);
    }
}

}  // namespace vrel::testing
