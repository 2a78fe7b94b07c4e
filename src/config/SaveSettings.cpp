#include "config/SaveSettings.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/SettingsText.h"

namespace vrel {

Expected<void, SaveFailure> SaveSettings(const VrelCFG& config,
                                         const std::filesystem::path& programFolder) {
    return config.PutConf(ProgramFile(programFolder, "vrel.cfg"));
}

std::string DescribeSaveFailure(const SaveFailure& failure) {
    const std::string file = DescribePathError(failure.Path, failure.Error);
    switch (failure.Kind) {
        case PlaceProblem::CannotCreate:
            return "cannot create " + file;
        case PlaceProblem::CannotWrite:
        case PlaceProblem::CannotRead:
            return "cannot write " + file;
        case PlaceProblem::AlreadyThere:
        case PlaceProblem::CannotPlace:
            break;
    }
    return "cannot replace " + file;
}

std::string AppPathText(const std::filesystem::path& programFolder) {
    // As the file will read it back: a folder name that is not UTF-8 elsewhere than on Windows
    // would make the whole file read as Windows-1252, and the game folder with it.
    return SettingsTextOfFile(PathToSettings(programFolder));
}

bool GameFolderFitsSettings(std::string_view gameFolder, MessageBoxPort& messages) {
    if (SettingsHold(gameFolder)) {
        return true;
    }
    messages.Show({.text = "Vrel can't save the Fallout 2 folder \"" + std::string(gameFolder) +
                           "\": vrel.cfg keeps it in this system's code page, which has no "
                           "letters for some characters of its name." +
                           "\r\r" +
                           "Nothing was saved. Choose a folder whose name uses only letters of "
                           "this system's language, or install the game there.",
                   .title = "Error!",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Exclamation});
    return false;
}

bool SaveChosenSettings(VrelCFG& config, VrelCFG chosen, std::string_view gameFolder,
                        const std::filesystem::path& programFolder, UnsavedChoice choice,
                        MessageBoxPort& messages) {
    if (!GameFolderFitsSettings(gameFolder, messages)) {
        return false;
    }
    chosen.cfgPath.Fallout2 = DisplayToSettings(gameFolder);
    chosen.cfgPath.AppPath = AppPathText(programFolder);
    chosen.cfgSkins.NumSkinsInstalled = 0;
    if (const auto saved = SaveSettings(chosen, programFolder); !saved) {
        const bool goOn = choice == UnsavedChoice::GoOnOrTryAgain;
        const MessageAnswer answer = messages.Show(
            {.text =
                 "Vrel couldn't save its settings to vrel.cfg (" +
                 DescribeSaveFailure(saved.error()) + ")." + "\r\r" +
                 (goOn
                      ? "Press OK to go on without saving them (Vrel will ask for them again the next time), or Cancel to try again."
                      : "Nothing was changed. Press Okay to try again, or Cancel to leave the settings as they were."),
             .title = "Error!",
             .buttons = goOn ? MessageButtons::OkCancel : MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        if (!goOn || answer != MessageAnswer::Ok) {
            return false;
        }
    }
    config = std::move(chosen);
    return true;
}

}  // namespace vrel
