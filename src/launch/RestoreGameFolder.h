#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "launch/PlayRecord.h"

namespace vrel {

struct RestoreOutcome {
    std::vector<std::filesystem::path>
        ChangedKept;  // changed since they were unpacked: left in place
    std::vector<std::filesystem::path>
        PlacedBeside;  // the user's file, put back beside a changed one
    std::vector<std::filesystem::path> NotRestored;  // could not be put back; the record stays
    std::vector<std::filesystem::path> NotRemoved;   // a mod's file that stays; the record too
    // Named by the record outside its game folder (or its kept files): never touched.
    std::vector<std::filesystem::path> LeftAlone;
};

// Puts the game folder back as it was before the recorded Play: removes the files it wrote that
// are still as written, keeps those changed since, puts the user's files back, removes the folders
// it created once empty, and finally the record itself (unless something could not be put back).
// `beforeRemovingRecord` is called right before the record goes.
RestoreOutcome RestoreGameFolder(const RecordedPlay& play,
                                 const std::function<void()>& beforeRemovingRecord = {});

}  // namespace vrel
