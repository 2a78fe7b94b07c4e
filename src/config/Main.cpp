#include "config/Main.h"

#include "base/PathHelpers.h"

namespace vrel {

std::optional<FirstWindow> Main(VrelCFG& config, const std::filesystem::path& programFolder,
                                MessageBoxPort& messages, LifetimePort& lifetime) {
    const std::filesystem::path cfgFile = ProgramFile(programFolder, "vrel.cfg");
    if (!FileExistsAt(cfgFile)) {
        messages.Show({.text = "vrel.cfg not found! Be sure you correctly extracted the ZIP.",
                       .title = "Error!",
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::Critical});
        lifetime.EndProgram();
        return std::nullopt;
    }
    return config.GetConf(cfgFile);
}

}  // namespace vrel
