#include "config/OptionsSettings.h"

#include "config/SaveSettings.h"
#include "config/SettingsTable.h"
#include "config/SettingsText.h"

namespace vrel {

OptionsChoices OptionsFromSettings(const VrelCFG& config) {
    return {.Switches = config.cfgGeneral, .Fallout2 = SettingsToDisplay(config.cfgPath.Fallout2)};
}

bool SaveOptions(VrelCFG& config, const std::filesystem::path& programFolder,
                 const OptionsChoices& choices, MessageBoxPort& messages) {
    if (!GameFolderFitsSettings(choices.Fallout2, messages)) {
        return false;
    }
    VrelCFG chosen = config;
    for (const SwitchSetting& setting : kSwitches) {
        if (!setting.OptionsBox.empty()) {
            chosen.cfgGeneral.*setting.Field = choices.Switches.*setting.Field;
        }
    }
    chosen.cfgPath.Fallout2 = DisplayToSettings(choices.Fallout2);
    chosen.cfgPath.AppPath = AppPathText(programFolder);
    chosen.cfgSkins.NumSkinsInstalled = 0;
    if (const auto saved = SaveSettings(chosen, programFolder); !saved) {
        messages.Show(
            {.text =
                 "Vrel couldn't save its settings to vrel.cfg (" +
                 DescribeSaveFailure(saved.error()) + ")." + "\r\r" +
                 "Nothing was changed. Press Okay to try again, or Cancel to leave the settings as they were.",
             .title = "Error!",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        return false;
    }
    config = chosen;
    return true;
}

std::string_view HoverDescription(OptionsHover target) {
    switch (target) {
        case OptionsHover::Fallout2:
            return "Where you installed Fallout 2";
        case OptionsHover::Background:
            break;
    }
    return "Hover any option to see its description.";
}

}  // namespace vrel
