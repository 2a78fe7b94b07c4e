#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "config/VrelCFG.h"
#include "platform/MessageBoxPort.h"

// What the Options window shows and saves, and the descriptions it shows while the pointer moves.
namespace vrel {

// The window's choices: the switches that have a box (config/SettingsTable.h) and the game folder
// as display text.
struct OptionsChoices {
    CfgGeneral Switches;
    std::string Fallout2;
};

OptionsChoices OptionsFromSettings(const VrelCFG& config);

// Okay: takes the choices (the game folder unchecked, exactly as typed) and the program folder
// and rewrites vrel.cfg. When the file cannot be written the user is told, the settings in memory
// stay as they were and the result is false, so that the window stays open; so too when the game
// folder's name does not fit vrel.cfg's encoding.
bool SaveOptions(VrelCFG& config, const std::filesystem::path& programFolder,
                 const OptionsChoices& choices, MessageBoxPort& messages);

// What the pointer is over when it moves, where that changes the description and is no switch's
// box (a box shows its own description from the settings table).
enum class OptionsHover { Background, Fallout2 };

inline constexpr std::string_view kOptionsFirstDescription =
    "Hover any option to see a description of it";

std::string_view HoverDescription(OptionsHover target);

}  // namespace vrel
