#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace vrel {

// Whether an ordinary file (or a folder) exists at `path`, matched case-blind. False for an empty
// path, one that ends with a separator, and a hidden or system file. They take paths, never narrow
// strings: with MinGW a narrow string made from a path is UTF-8, but read back in the ANSI code
// page, so it would no longer name the file there.
bool FileExistsAt(const std::filesystem::path& path);
bool FolderExistsAt(const std::filesystem::path& folder);

// Whether listings leave the entry out: on Windows one with the hidden or system attribute,
// elsewhere one whose name starts with "." (as copies from some systems leave "._Mod.dat").
bool IsHiddenOrSystem(const std::filesystem::path& entry);

// The part of `path` after its last separator (backslash, or the platform's own), or the whole
// path when it holds none: a\b\c.map gives c.map, a\b\ gives the empty text.
std::string GetFileName(std::string_view path);

// A file or folder that the program keeps in its own folder (vrel.cfg, Patches, the sounds),
// found whatever its case; the documented name when it does not exist yet.
std::filesystem::path ProgramFile(const std::filesystem::path& programFolder,
                                  std::string_view name);

// "\Patches\" in the program's messages, with the system's own separator.
std::string PatchesInText();

// std::fopen for a path of any spelling: on Windows the narrow path would pass through the ANSI
// code page and lose what it cannot hold.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

}  // namespace vrel
