#include "config/DataFolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "config/GamePaths.h"

namespace vrel {

const std::array<const char*, 63> kDataFolderNames = {"\\Data",
                                                      "\\Data\\art",
                                                      "\\Data\\art\\backgrnd",
                                                      "\\Data\\art\\critters",
                                                      "\\Data\\art\\cuts",
                                                      "\\Data\\art\\heads",
                                                      "\\Data\\art\\intrface",
                                                      "\\Data\\art\\inven",
                                                      "\\Data\\art\\items",
                                                      "\\Data\\art\\misc",
                                                      "\\Data\\art\\scenery",
                                                      "\\Data\\art\\skilldex",
                                                      "\\Data\\art\\splash",
                                                      "\\Data\\art\\tiles",
                                                      "\\Data\\art\\walls",
                                                      "\\Data\\maps",
                                                      "\\Data\\premade",
                                                      "\\Data\\proto\\",
                                                      "\\Data\\proto\\critters",
                                                      "\\Data\\proto\\items",
                                                      "\\Data\\proto\\misc",
                                                      "\\Data\\proto\\scenery",
                                                      "\\Data\\proto\\tiles",
                                                      "\\Data\\proto\\tiles\\patterns",
                                                      "\\Data\\proto\\walls",
                                                      "\\Data\\scripts",
                                                      "\\Data\\sound",
                                                      "\\Data\\sound\\sfx",
                                                      "\\Data\\sound\\speech",
                                                      "\\Data\\sound\\speech\\bosss",
                                                      "\\Data\\sound\\speech\\elder",
                                                      "\\Data\\sound\\speech\\haku2",
                                                      "\\Data\\sound\\speech\\hakun",
                                                      "\\Data\\sound\\speech\\hrld2",
                                                      "\\Data\\sound\\speech\\lynet",
                                                      "\\Data\\sound\\speech\\mrcus",
                                                      "\\Data\\sound\\speech\\myron",
                                                      "\\Data\\sound\\speech\\narrator",
                                                      "\\Data\\sound\\speech\\power",
                                                      "\\Data\\sound\\speech\\presi",
                                                      "\\Data\\sound\\speech\\sulik",
                                                      "\\Data\\sound\\speech\\tndi2",
                                                      "\\Data\\text",
                                                      "\\Data\\text\\english\\",
                                                      "\\Data\\text\\english\\cuts",
                                                      "\\Data\\text\\english\\dialog",
                                                      "\\Data\\text\\english\\game",
                                                      "\\Data\\text\\spanish\\",
                                                      "\\Data\\text\\spanish\\cuts",
                                                      "\\Data\\text\\spanish\\dialog",
                                                      "\\Data\\text\\spanish\\game",
                                                      "\\Data\\text\\french\\",
                                                      "\\Data\\text\\french\\cuts",
                                                      "\\Data\\text\\french\\dialog",
                                                      "\\Data\\text\\french\\game",
                                                      "\\Data\\text\\german\\",
                                                      "\\Data\\text\\german\\cuts",
                                                      "\\Data\\text\\german\\dialog",
                                                      "\\Data\\text\\german\\game",
                                                      "\\Data\\text\\italian\\",
                                                      "\\Data\\text\\italian\\cuts",
                                                      "\\Data\\text\\italian\\dialog",
                                                      "\\Data\\text\\italian\\game"};

void CreateDataFolders(const std::filesystem::path& rootFolder) {
    // An empty setting would put the tree at the top of the drive.
    if (rootFolder.empty()) {
        return;
    }
    for (const char* name : kDataFolderNames) {
        std::string relative(name + 1);  // past the leading backslash
        if (relative.back() == '\\') {
            relative.pop_back();
        }
        std::replace(relative.begin(), relative.end(), '\\',
                     static_cast<char>(std::filesystem::path::preferred_separator));
        std::error_code error;
        // Only the last level is created, so a missing root or parent creates nothing.
        std::filesystem::create_directory(ResolveCaseBlind(rootFolder / relative), error);
    }
}

void CreateGameDataFolders(const VrelCFG& config, const std::filesystem::path& programFolder) {
    CreateDataFolders(GameFolderPath(config.cfgPath.Fallout2, programFolder));
}

}  // namespace vrel
