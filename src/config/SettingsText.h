#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// vrel.cfg holds its text in the system's own narrow encoding: the ANSI code page on Windows, as
// every program there reads it, and UTF-8 elsewhere. The settings keep that text as it stands in
// the file; these are its only ways to display text and to paths.
namespace vrel {

// The file's bytes as settings text. Elsewhere than on Windows a file that is not UTF-8 (one
// written on Windows) is read as Windows-1252, so it still opens with its folders intact.
std::string SettingsTextOfFile(std::string bytes);

std::string SettingsToDisplay(std::string_view text);
std::string DisplayToSettings(std::string_view display);

// Whether display text survives the way into the settings and back, so nothing would become '?'.
bool SettingsHold(std::string_view display);

std::filesystem::path SettingsToPath(std::string_view text);
std::string PathToSettings(const std::filesystem::path& path);

}  // namespace vrel
