#include "viewer/KeyCommands.h"

#include <array>

namespace vrel {
namespace {

constexpr const char* kFixedsysFace = "Fixedsys";

constexpr std::array<ColourScheme, 8> kSchemes = {{
    {0xFFFFFF, 0x000000},  // F1
    {0xC0E0FF, 0x000080},  // F2
    {0xFFFFFF, 0x800000},  // F3
    {0xC0FFC0, 0x004000},  // F4
    {0x000000, 0xFFC0C0},  // F5
    {0x008080, 0xC0E0FF},  // F6
    {0x800000, 0xC0FFC0},  // F7
    {0x800080, 0xFFC0FF},  // F8
}};

KeyCommand Colours(std::size_t index) {
    return {CommandKind::SetColours, kSchemes[index], {}};
}

}  // namespace

KeyCommand CommandForKey(ViewerKey key, ShiftState shiftState) {
    switch (key) {
        case ViewerKey::F1:
            return Colours(0);
        case ViewerKey::F2:
            return Colours(1);
        case ViewerKey::F3:
            return Colours(2);
        case ViewerKey::F4:
            return Colours(3);
        case ViewerKey::F5:
            return Colours(4);
        case ViewerKey::F6:
            return Colours(5);
        case ViewerKey::F7:
            return Colours(6);
        case ViewerKey::F8:
            return Colours(7);
        case ViewerKey::F11:
            return {CommandKind::SetFont, {}, kTerminalFace};
        case ViewerKey::F12:
            return {CommandKind::SetFont, {}, kFixedsysFace};
        case ViewerKey::L:
            if (shiftState.Alt && !shiftState.Shift && !shiftState.Ctrl) {
                return {CommandKind::LoadDialog, {}, {}};
            }
            return {};
        case ViewerKey::Escape:
            return {CommandKind::Close, {}, {}};
        case ViewerKey::Other:
            break;
    }
    return {};
}

}  // namespace vrel
