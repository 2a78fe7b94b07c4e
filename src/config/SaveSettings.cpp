#include "config/SaveSettings.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/SettingsText.h"

namespace vrel {

std::optional<SaveFailure> SaveSettings(const VrelCFG& config,
                                        const std::filesystem::path& programFolder) {
    return config.PutConf(ProgramFile(programFolder, "vrel.cfg"));
}

std::string DescribeSaveFailure(const SaveFailure& failure) {
    std::string text;
    switch (failure.Kind) {
        case SaveProblem::CannotCreate:
            text = "cannot create " + failure.Path.string();
            break;
        case SaveProblem::CannotWrite:
            text = "cannot write " + failure.Path.string();
            break;
        case SaveProblem::CannotReplace:
            text = "cannot replace " + failure.Path.string() + ": " + failure.Error.message();
            break;
    }
#ifdef _WIN32
    // The narrow path and the system's message are in the ANSI code page there.
    text = AnsiToUtf8(text);
#endif
    return text;
}

std::string AppPathText(const std::filesystem::path& programFolder) {
    return PathToSettings(programFolder);
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

}  // namespace vrel
