#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vrel {

// The folder of this machine that a Windows path with a drive letter (C:\Games\Fallout2) stands
// for inside the Wine prefix: the drive's link in dosdevices (c: -> ../drive_c), or drive_c for
// C: when the prefix has no such link. Each folder of the rest is matched ignoring case, as
// Windows does. Nothing for a path without a drive letter or a drive the prefix does not have.
std::optional<std::filesystem::path> WineFolderOf(const std::filesystem::path& prefix,
                                                  std::string_view windowsPath);

}  // namespace vrel
