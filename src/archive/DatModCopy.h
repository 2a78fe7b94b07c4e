#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "archive/ModImport.h"
#include "archive/ModSource.h"
#include "base/Expected.h"

namespace vrel {

struct DatModTarget {
    std::size_t Source = 0;  // index into the source's listing
    std::filesystem::path Target;
    bool Replace = false;  // the user lets a mod of that name, in any letter case, be replaced
};

// Mods that come as .dat files inside a .zip or .7z: each is read whole, checked as a dropped
// .dat is, and copied to its target; none is put in place unless all are whole and sound.
Expected<std::vector<CopiedDat>, ImportFailure> CopyDatMods(ModSource& source,
                                                            const std::vector<SourceFile>& files,
                                                            const std::vector<DatModTarget>& mods);

}  // namespace vrel
