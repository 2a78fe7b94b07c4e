#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What each released key does in the viewer.
namespace vrel {

// A colour in the platform's 0x00BBGGRR encoding.
using Colour = std::uint32_t;

constexpr int Red(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int Green(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct ColourScheme {
    Colour Text = 0;
    Colour Back = 0;
};

// The scheme the viewer starts with (the F4 one).
inline constexpr ColourScheme kStartScheme{0xC0FFC0, 0x004000};
inline constexpr const char* kTerminalFace = "Terminal";
inline constexpr int kFontPoints = 9;

enum class ViewerKey { F1, F2, F3, F4, F5, F6, F7, F8, F11, F12, L, Escape, Other };

struct ShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

enum class CommandKind { Nothing, SetColours, SetFont, LoadDialog, Close };

struct KeyCommand {
    CommandKind Kind = CommandKind::Nothing;
    ColourScheme Colours;  // for SetColours
    std::string FontFace;  // for SetFont
};

// Colour and font keys ignore the shift state; L counts only with Alt alone held.
KeyCommand CommandForKey(ViewerKey key, ShiftState shiftState);

}  // namespace vrel
