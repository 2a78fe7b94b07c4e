#include "config/FirstRun.h"

#include "config/SaveSettings.h"
#include "config/SettingsTable.h"
#include "config/SettingsText.h"

namespace vrel {

std::string FirstRunCaption() {
    return "Vrel v" + std::to_string(VREL_VERSION_MAJOR) + "." + std::to_string(VREL_VERSION_MINOR);
}

bool SaveFirstRunSettings(VrelCFG& config, const std::filesystem::path& programFolder,
                          std::string_view gameFolder, MessageBoxPort& messages) {
    // The first-run defaults of the settings table; the game folder is stored unchecked, also
    // when empty.
    VrelCFG chosen = config;
    for (const SwitchSetting& setting : kSwitches) {
        chosen.cfgGeneral.*setting.Field = setting.FirstRunDefault;
    }
    for (const FolderSetting& setting : kFolders) {
        chosen.cfgPath.*setting.Field = std::string(setting.FirstRunDefault);
    }
    return SaveChosenSettings(config, std::move(chosen), gameFolder, programFolder,
                              UnsavedChoice::GoOnOrTryAgain, messages);
}

}  // namespace vrel
