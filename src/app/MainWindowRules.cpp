#include "app/MainWindowRules.h"

#include "archive/GamePatch.h"
#include "base/AnsiText.h"
#include "config/ButtonSounds.h"

namespace vrel {

void HoverSwitch(HoverImages& images, MainButton button, const ProgramState& state,
                 SoundPort& sounds) {
    if (!images.Visible(button)) {
        PlayHoverSound(state.Config, sounds, state.ProgramFolder);
    }
    images.Show(button);
}

void DATList_ItemCheck(ProgramState& state, MessageBoxPort& messages, SoundPort& sounds, int row,
                       bool ticked) {
    PlayHoverSound(state.Config, sounds, state.ProgramFolder);
    if (row < 1 || row > state.Mods.Count()) {
        return;
    }
    if (!ticked && IsGamePatch(PathToDisplay(state.Mods.Row(row).Name))) {
        messages.Show({.text = kPatchUntickWarning,
                       .title = "Vrel",
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::None});
    }
    state.Mods.SetTicked(row, ticked);
}

}  // namespace vrel
