#pragma once

#include <filesystem>
#include <vector>

namespace vrel {

// A file of the user's that stood where a member was unpacked, moved aside until the clean-up.
struct KeptFile {
    std::filesystem::path Original;
    std::filesystem::path Aside;
};

// Everything one Play changed in the game folder, so that the clean-up can undo it.
struct UnpackJournal {
    // Every file written while DeleteDataFiles was on, in the order of writing; a path written by
    // two archives stands twice.
    std::vector<std::filesystem::path> DataDelList;
    // Every file this Play wrote while DeleteDataFiles was off: what a failed Play removes again,
    // with DataDelList. Each file stands in one list only, as the thousands of a Play are many.
    std::vector<std::filesystem::path> WrittenFiles;
    std::vector<KeptFile> KeptFiles;
    std::vector<std::filesystem::path> CreatedFolders;  // parents before children
    std::filesystem::path KeepFolder;                   // where kept files wait; made on first use

    bool Empty() const {
        return DataDelList.empty() && WrittenFiles.empty() && KeptFiles.empty() &&
               CreatedFolders.empty();
    }
};

}  // namespace vrel
