#include "config/FirstRun.h"

#include "config/SaveSettings.h"
#include "config/SettingsTable.h"
#include "config/SettingsText.h"

namespace vrel {

std::string FirstRunCaption() {
    return "Vrel v" + std::to_string(VREL_VERSION_MAJOR) + "." + std::to_string(VREL_VERSION_MINOR);
}

namespace {

// Continue's settings: the first-run defaults of the settings table, no skins, the program folder,
// and the game folder as the box holds it (display text; stored unchecked, also when empty).
void ApplyFirstRunDefaults(VrelCFG& config, const std::filesystem::path& programFolder,
                           std::string_view gameFolder) {
    for (const SwitchSetting& setting : kSwitches) {
        config.cfgGeneral.*setting.Field = setting.FirstRunDefault;
    }
    for (const FolderSetting& setting : kFolders) {
        config.cfgPath.*setting.Field = std::string(setting.FirstRunDefault);
    }
    config.cfgPath.AppPath = AppPathText(programFolder);
    config.cfgPath.Fallout2 = DisplayToSettings(gameFolder);
    config.cfgSkins.NumSkinsInstalled = 0;
}

}  // namespace

bool SaveFirstRunSettings(VrelCFG& config, const std::filesystem::path& programFolder,
                          std::string_view gameFolder, MessageBoxPort& messages) {
    if (!GameFolderFitsSettings(gameFolder, messages)) {
        return false;
    }
    VrelCFG chosen = config;
    ApplyFirstRunDefaults(chosen, programFolder, gameFolder);
    if (const auto saved = SaveSettings(chosen, programFolder); !saved) {
        const MessageAnswer answer = messages.Show(
            {.text =
                 "Vrel couldn't save its settings to vrel.cfg (" +
                 DescribeSaveFailure(saved.error()) + ")." + "\r\r" +
                 "Press OK to go on without saving them (Vrel will ask for them again the next time), or Cancel to try again.",
             .title = "Error!",
             .buttons = MessageButtons::OkCancel,
             .icon = MessageIcon::Exclamation});
        if (answer != MessageAnswer::Ok) {
            return false;
        }
    }
    config = chosen;
    return true;
}

}  // namespace vrel
