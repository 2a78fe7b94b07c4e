#include "app/MainWindowRules.h"

#include "base/AnsiText.h"
#include "config/ButtonSounds.h"

namespace vrel {

void HoverSwitch(HoverImages& images, MainButton button, const ProgramState& state,
                 SoundPort& sounds) {
    if (!images.Visible(button)) {
        PlayHoverSound(state.Config, sounds, state.programFolder);
    }
    images.Show(button);
}

void DATList_ItemCheck(ProgramState& state, MessageBoxPort& messages, SoundPort& sounds, int row,
                       const std::filesystem::path& name, bool ticked) {
    PlayHoverSound(state.Config, sounds, state.programFolder);
    if (!ticked && AnsiToLower(PathToDisplay(name)) == "patch000.dat") {
        messages.Show({.text = kPatchUntickWarning,
                       .title = "Vrel",
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::None});
    }
    if (state.LoadingList) {
        return;
    }
    // A row without its catalogue item would break the row/item pairing; it changes nothing.
    if (row >= 1 && row <= state.FalloutDats.Count()) {
        state.FalloutDats.Item(row).Selected = ticked;
    }
}

}  // namespace vrel
