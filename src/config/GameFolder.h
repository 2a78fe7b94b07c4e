#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/EnvironmentPort.h"
#include "platform/MessageBoxPort.h"
#include "platform/PickerPort.h"
#include "platform/RegistryPort.h"

// The ways a game folder reaches the folder box of the first-run and Options windows. Folders are
// display text (UTF-8) here, as the boxes show them; nothing here touches the settings.
namespace vrel {

// The game folder as the game's installer recorded it.
RegistryValue ReadDestPath(RegistryPort& registry);

// A registry read as box text: nothing gives the empty text, a number its decimal digits.
std::string RegistryText(const RegistryValue& value);

// The Browse button: asks for a folder until one holds Fallout2.exe or the user accepts one
// without it. The folder to put into the box, or nothing to leave the box as it is.
std::optional<std::string> BrowseGameFolder(PickerPort& pickers, MessageBoxPort& messages);

// The auto-locate button: the game folder found (FindGameFolders), or the one the user picks where
// several are found, each named with its store, `savedFolder` chosen at first when it is among
// them; nothing when the user cancels that pick, so the box stays as it is. When nothing is found
// the user is told "Could not be found!" (not when the installer's entry is there but empty) and
// the box is emptied.
std::optional<std::string> AutoLocateGameFolder(RegistryPort& registry,
                                                EnvironmentPort& environment, PickerPort& pickers,
                                                MessageBoxPort& messages,
                                                std::string_view savedFolder = {});

// Before a window saves `folder` as the game folder: an empty one is refused with a word on what
// to do, and one without Fallout2.exe is saved only when the user says so. True when it may be
// saved.
bool ConfirmGameFolder(std::string_view folder, const std::filesystem::path& programFolder,
                       MessageBoxPort& messages);

}  // namespace vrel
