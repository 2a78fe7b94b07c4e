#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Expected.h"
#include "base/Failure.h"
#include "base/PendingFile.h"
#include "config/SettingsTable.h"

namespace vrel {

// Why vrel.cfg could not be saved: it is put in place as every whole file is, so `Path` is vrel.cfg
// and `Error` says why.
using SaveFailure = PlaceFailure;

// Which window the settings file asks for first.
enum class FirstWindow { MainWindow, FirstRun };

// The settings of Vrel2, read from and written to vrel.cfg in the program folder.
class VrelCFG {
public:
    CfgGeneral cfgGeneral;
    CfgPath cfgPath;
    CfgSkins cfgSkins;

    // Reads the file's text into the settings (see ReadConf). A file that cannot be read leaves
    // every setting as it is and asks for the main window.
    FirstWindow GetConf(const std::filesystem::path& cfgFilePath);

    // Reads settings from the text of vrel.cfg. Lines end at CR (an LF after it is skipped) or at
    // a lone LF; reading stops at the end of the text, also inside a section.
    FirstWindow ReadConf(std::string_view text);

    // The lines of vrel.cfg for the current settings, every one ending in CR LF.
    std::string FormatConf() const;

    // Replaces the file in one step: the new text is written and flushed beside it, then moved
    // over it, so a failure never leaves the program without its settings.
    Expected<void, SaveFailure> PutConf(const std::filesystem::path& cfgFilePath) const;
};

}  // namespace vrel
