#include "config/OptionsSettings.h"

#include "config/SaveSettings.h"
#include "config/SettingsText.h"

namespace vrel {

OptionsChoices OptionsFromSettings(const VrelCFG& config) {
    return {.CheckConflicts = config.cfgGeneral.CheckConflicts,
            .DeleteDataFiles = config.cfgGeneral.DeleteDataFiles,
            .LoadModDesc = config.cfgGeneral.LoadModDesc,
            .Sound = config.cfgGeneral.Sound,
            .Fallout2 = SettingsToDisplay(config.cfgPath.Fallout2)};
}

bool SaveOptions(VrelCFG& config, const std::filesystem::path& programFolder,
                 const OptionsChoices& choices, MessageBoxPort& messages) {
    if (!GameFolderFitsSettings(choices.Fallout2, messages)) {
        return false;
    }
    VrelCFG chosen = config;
    chosen.cfgGeneral.CheckConflicts = choices.CheckConflicts;
    chosen.cfgGeneral.DeleteDataFiles = choices.DeleteDataFiles;
    chosen.cfgGeneral.LoadModDesc = choices.LoadModDesc;
    chosen.cfgGeneral.Sound = choices.Sound;
    chosen.cfgPath.Fallout2 = DisplayToSettings(choices.Fallout2);
    chosen.cfgPath.AppPath = AppPathText(programFolder);
    chosen.cfgSkins.NumSkinsInstalled = 0;
    if (const auto failure = SaveSettings(chosen, programFolder)) {
        messages.Show(
            {.text =
                 "Vrel couldn't save its settings to vrel.cfg (" + DescribeSaveFailure(*failure) +
                 ")." + "\r\r" +
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
        case OptionsHover::CheckConflicts:
            return "Checks any conflicts between mods before playing. (Recommended)";
        case OptionsHover::DeleteDataFiles:
            return "When you finish playing Fallout, it will delete any file that was created to enable the mods. Warning, if you close Vrel before they're delete you will have to do the work manually!";
        case OptionsHover::LoadModDesc:
            return "If available, loads the mod description directly from the DAT, if disabled, it can save you time when you have lots of mods in your Patches folder.";
        case OptionsHover::Sound:
            return "Enabled/Disables those fantastic Dolby Pro-Logic Surround 5.1 THX's sounds when you hover/click the buttons.";
        case OptionsHover::Fallout2:
            return "Where you installed Fallout 2";
        case OptionsHover::Background:
            break;
    }
    return "Hover any option to see its description.";
}

}  // namespace vrel
