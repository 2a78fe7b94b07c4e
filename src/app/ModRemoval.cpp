#include "app/ModRemoval.h"

#include "archive/GamePatch.h"
#include "base/AnsiText.h"
#include "base/MoveNoReplace.h"
#include "base/PathHelpers.h"
#include "config/GamePaths.h"

namespace vrel {
namespace {

// Moves `archive` into the Removed folder under its own name, or "name (2).dat" and so on where
// that is taken, so that a mod removed twice keeps both copies.
std::error_code MoveToRemovedFolder(const std::filesystem::path& archive,
                                    const std::filesystem::path& removed,
                                    std::filesystem::path& placed) {
    std::error_code error;
    std::filesystem::create_directory(removed, error);
    if (error) {
        return error;
    }
    const std::filesystem::path stem = archive.stem();
    const std::filesystem::path extension = archive.extension();
    for (int copy = 1; copy < 1000; ++copy) {
        std::filesystem::path name = stem;
        if (copy > 1) {
            name += " (" + std::to_string(copy) + ")";
        }
        name += extension;
        placed = removed / name;
        error = MoveNoReplace(archive, placed);
        if (error != std::errc::file_exists) {
            return error;
        }
    }
    return error;
}

void Tell(MessageBoxPort& messages, const std::string& text, MessageIcon icon) {
    messages.Show(
        {.text = text, .title = "Remove mod", .buttons = MessageButtons::Ok, .icon = icon});
}

}  // namespace

bool CanRemoveMod(const ProgramState& state, int row) {
    return row >= 2 && row <= state.Mods.Count();
}

bool RemoveMod(const ProgramState& state, int row, MessageBoxPort& messages, ShellPort& shell) {
    if (!CanRemoveMod(state, row)) {
        return false;
    }
    const std::filesystem::path archive = state.Mods.Item(row).FullPath;
    const std::string name = PathToDisplay(state.Mods.Row(row).Name);
    const MessageAnswer answer = messages.Show({.text = "Remove " + name +
                                                        " from your mods?\r\rVrel moves it to the "
                                                        "trash, from where you can get it back.",
                                                .title = "Remove mod",
                                                .buttons = MessageButtons::YesNo,
                                                .icon = MessageIcon::Question,
                                                .defaultAnswer = MessageAnswer::No});
    if (answer != MessageAnswer::Yes) {
        return false;
    }
    if (shell.MoveToTrash(archive)) {
        return true;
    }
    std::filesystem::path placed;
    const std::filesystem::path removed = state.ProgramFolder / kRemovedFolder;
    if (const std::error_code error = MoveToRemovedFolder(archive, removed, placed)) {
        Tell(messages,
             "Vrel could not remove " + DescribePathError(archive, error) +
                 ".\r\rIt stays in the " + PatchesInText() + " folder and in the list.",
             MessageIcon::Exclamation);
        return false;
    }
    Tell(messages,
         "This system has no trash, so Vrel moved " + name + " into the " + kRemovedFolder +
             " folder beside the Patches folder:\r" + PathToDisplay(placed),
         MessageIcon::Information);
    return true;
}

}  // namespace vrel
