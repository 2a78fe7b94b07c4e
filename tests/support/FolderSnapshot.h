#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace vrel::testing {

// Every file and folder below `folder`, by relative path: "folder" for folders, else the content
// followed by "|ro" or "|rw". Two equal snapshots mean the folder is the same to the byte.
std::map<std::string, std::string> SnapshotFolder(const std::filesystem::path& folder);

}  // namespace vrel::testing
