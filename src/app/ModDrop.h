#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "archive/ModImport.h"
#include "platform/MessageBoxPort.h"
#include "platform/ProgressPort.h"
#include "state/ProgramState.h"

namespace vrel {

// What became of the files and folders dropped onto the main window.
struct DropOutcome {
    std::vector<std::string> Added;  // archive file names now in Patches (display text)
    struct LeftOutOf {
        std::string Archive;  // display text
        std::vector<LeftOutFile> Files;
        std::optional<std::string> DescriptionFrom;  // the read-me that became its description
    };
    std::vector<LeftOutOf> LeftOut;
    std::vector<std::string> NotAdded;  // "<dropped name>: <why>", display text
};

// Adds dropped mods to Patches: a .dat is copied once it reads whole, a folder, .zip or .7z is
// imported. An archive of the same name (in any letter case) is replaced only when the user
// agrees. Nothing already in Patches is touched otherwise.
DropOutcome AddDroppedMods(const std::vector<std::filesystem::path>& dropped,
                           const std::filesystem::path& patches, MessageBoxPort& messages,
                           ProgressPort& progress);

// The one message after a drop: what was added, what was left out and where it belongs, and what
// could not be added. When everything went in whole, one line says so.
void ReportDrop(MessageBoxPort& messages, const DropOutcome& outcome);

}  // namespace vrel
