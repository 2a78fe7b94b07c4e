#include "config/GamePaths.h"

#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"
#include "config/SettingsText.h"

namespace vrel {

std::filesystem::path PatchesFolder(const std::filesystem::path& programFolder) {
    return ProgramFile(programFolder, "Patches");
}

std::filesystem::path GameFolderPath(const std::string& fallout2,
                                     const std::filesystem::path& programFolder) {
    const std::filesystem::path folder = SettingsToPath(fallout2);
    if (folder.empty() || folder.is_absolute()) {
        return folder;
    }
    return PatchesFolder(programFolder) / folder;
}

std::filesystem::path GameExecutable(const std::filesystem::path& gameFolder) {
    return ResolveCaseBlind(gameFolder / "Fallout2.exe");
}

}  // namespace vrel
