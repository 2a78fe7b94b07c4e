#include "config/GameFolder.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/GamePaths.h"
#include "config/GameSearch.h"
#include "config/SettingsText.h"

namespace vrel {
namespace {

// Where the game's installer records the game folder, under HKEY_LOCAL_MACHINE.
constexpr const char* kGameRegistryKey = "SOFTWARE\\Interplay\\Fallout2\\1.0";
constexpr const char* kGameRegistryValue = "DestPath";

}  // namespace

RegistryValue ReadDestPath(RegistryPort& registry) {
    return registry.ReadRegValue(kGameRegistryKey, kGameRegistryValue);
}

std::string RegistryText(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return std::to_string(*number);
    }
    return {};
}

std::optional<std::string> BrowseGameFolder(PickerPort& pickers, MessageBoxPort& messages) {
    for (;;) {
        const auto folder = pickers.PickFolder("Select your Fallout 2 directory");
        if (!folder || folder->empty()) {
            return std::nullopt;
        }
        if (FileExistsAt(GameExecutable(DisplayToPath(*folder)))) {
            return folder;
        }
        const MessageAnswer answer =
            messages.Show({.text = "I didn't found Fallout2.exe in that folder, continue anyway?",
                           .title = "Warning",
                           .buttons = MessageButtons::YesNo,
                           .icon = MessageIcon::Exclamation});
        if (answer == MessageAnswer::Yes) {
            return folder;
        }
    }
}

std::optional<std::string> AutoLocateGameFolder(RegistryPort& registry,
                                                EnvironmentPort& environment, PickerPort& pickers,
                                                MessageBoxPort& messages,
                                                std::string_view savedFolder) {
    const FoundGameFolders found = FindGameFolders(registry, environment);
    if (found.Folders.empty()) {
        if (!found.Recorded) {
            messages.Show({.text = "Could not be found!",
                           .title = "Vrel",
                           .buttons = MessageButtons::Ok,
                           .icon = MessageIcon::None});
        }
        return std::string();
    }
    if (found.Folders.size() == 1) {
        return found.Folders.front();
    }
    std::vector<std::string> choices;
    std::size_t saved = 0;
    for (std::size_t i = 0; i < found.Folders.size(); ++i) {
        choices.push_back(DescribeFoundFolder(found, i));
        std::error_code error;
        if (found.Folders[i] == savedFolder ||
            (!savedFolder.empty() &&
             std::filesystem::equivalent(DisplayToPath(found.Folders[i]),
                                         DisplayToPath(savedFolder), error))) {
            saved = i;
        }
    }
    const auto picked = pickers.PickOne(
        "Fallout 2 is installed in more than one folder. Which one should Vrel use?", choices,
        saved);
    if (!picked || *picked >= found.Folders.size()) {
        return std::nullopt;
    }
    return found.Folders[*picked];
}

bool ConfirmGameFolder(std::string_view folder, const std::filesystem::path& programFolder,
                       MessageBoxPort& messages) {
    if (folder.empty()) {
        messages.Show(
            {.text =
                 "Vrel needs the folder where Fallout 2 is installed, the one that holds Fallout2.exe. Type it into the box, or press Browse to pick it.",
             .title = "Fallout 2 folder",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        return false;
    }
    const std::filesystem::path game = GameFolderPath(DisplayToSettings(folder), programFolder);
    if (FileExistsAt(GameExecutable(game))) {
        return true;
    }
    const MessageAnswer answer = messages.Show(
        {.text = "There is no Fallout2.exe in " + std::string(folder) +
                 ". Vrel can't start the game from there, nor take the game's patch000.dat from "
                 "it.\r\rSave it as the Fallout 2 folder anyway?",
         .title = "Warning",
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Exclamation,
         .defaultAnswer = MessageAnswer::No});
    return answer == MessageAnswer::Yes;
}

}  // namespace vrel
