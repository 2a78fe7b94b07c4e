#include "config/SaveSettings.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"

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
    return NativePathToAnsi(programFolder);
}

}  // namespace vrel
