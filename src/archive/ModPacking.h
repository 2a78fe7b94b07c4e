#pragma once

#include <optional>
#include <vector>

#include "archive/DatWriter.h"
#include "archive/ModImport.h"
#include "archive/ModPlan.h"
#include "archive/ModSource.h"

namespace vrel {

// Reads the planned members, and the file that becomes the description, from the source one
// after another, packs them on the worker threads and adds them to `writer` in the order read.
// A read-me that cannot become the description is added to the report's left-out files.
Expected<void, ImportFailure> PackModMembers(ModSource& source,
                                             const std::vector<SourceFile>& files,
                                             const ModPlan& plan, DatWriter& writer,
                                             const ImportOptions& options, ImportReport& report);

// What a failure to write the new archive is to an import.
ImportFailure ImportWriteFailure(const WriteFailure& failure);

}  // namespace vrel
