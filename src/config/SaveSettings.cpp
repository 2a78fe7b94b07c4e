#include "config/SaveSettings.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/SettingsText.h"

namespace vrel {

std::optional<std::string> SaveSettings(const VrelCFG& config,
                                        const std::filesystem::path& programFolder) {
    auto reason = config.PutConf(ProgramFile(programFolder, "vrel.cfg"));
#ifdef _WIN32
    if (reason) {
        reason = AnsiToUtf8(*reason);
    }
#endif
    return reason;
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
