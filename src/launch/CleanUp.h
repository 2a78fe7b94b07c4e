#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "launch/PlayRecord.h"
#include "launch/UnpackJournal.h"

namespace vrel {

// Undoes one Play: deletes every listed file (read-only or not), puts the user's kept files back
// byte for byte, and removes the folders the unpacking created once they are empty. Failures are
// passed over: what cannot be deleted stays. The journal is empty afterwards, so a later Play never
// deletes a file twice; only a kept file that could not be put back stays in it. `onFile` is called
// with the 0-based number of each listed file.
// With a record, each file deleted and each file put back is noted in it.
void CleanUpGameFolder(UnpackJournal& journal, const std::function<void(int)>& onFile = {},
                       PlayRecord* record = nullptr);

// Removes the folders a Play created (listed parents before children), children first, each only
// once it is empty: a folder that still holds a file stays with it. Gives the folders still
// standing, in the order listed.
std::vector<std::filesystem::path> RemoveEmptiedFolders(
    const std::vector<std::filesystem::path>& folders);

}  // namespace vrel
