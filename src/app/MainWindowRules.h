#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/MessageBoxPort.h"
#include "platform/SoundPort.h"
#include "state/ProgramState.h"

namespace vrel {

enum class MainButton { Play, Options, About, Exit };

// The four highlighted button images: none at start, at most one afterwards.
class HoverImages {
public:
    bool Visible(MainButton button) const { return shown_ == button; }
    std::optional<MainButton> Shown() const { return shown_; }
    void Show(MainButton button) { shown_ = button; }
    void HideAll() { shown_.reset(); }

private:
    std::optional<MainButton> shown_;
};

// The pointer moves over a button: the hover sound plays when the pointer has just come onto it
// (its image still hidden), then its image is the one that shows.
void HoverSwitch(HoverImages& images, MainButton button, const ProgramState& state,
                 SoundPort& sounds);

inline constexpr const char* kPatchUntickWarning =
    "By disabling \"patch000.dat\" you will lost the 1.02d update for Fallout 2!";

// The player ticked or unticked the mod of `row` (counted from 1): the tick sound, the warning
// when it is the game's patch that was unticked (its row's name in any letter case), and the mod
// list takes the tick. A row outside the list makes only the sound.
void DATList_ItemCheck(ProgramState& state, MessageBoxPort& messages, SoundPort& sounds, int row,
                       bool ticked);

}  // namespace vrel
