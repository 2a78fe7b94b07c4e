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
    VrelCFG chosen = config;
    for (const SwitchSetting& setting : kSwitches) {
        if (!setting.OptionsBox.empty()) {
            chosen.cfgGeneral.*setting.Field = choices.Switches.*setting.Field;
        }
    }
    return SaveChosenSettings(config, std::move(chosen), choices.Fallout2, programFolder,
                              UnsavedChoice::TryAgain, messages);
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
