#include "app/Startup.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "app/ModOrder.h"
#include "archive/GamePatch.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"
#include "base/PendingFile.h"
#include "config/DataFolders.h"
#include "config/GamePaths.h"
#include "state/ModListing.h"

namespace vrel {
namespace {

// Step 2: the Patches folder, created with the user's knowledge. False when the user leaves.
bool EnsurePatchesFolder(StartupContext& context, const std::filesystem::path& patches) {
    if (FolderExistsAt(patches)) {
        return true;
    }
    context.messages.Show(
        {.text = "The 'Patches' folder was not found, I'm going to create one right now.",
         .title = "Information",
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
    std::error_code error;
    std::filesystem::create_directory(patches, error);
    const MessageAnswer answer = context.messages.Show(
        {.text =
             "Done. Now, you will have to move your mods to that folder. FYI the entire path is: " +
             PathToDisplay(patches) +
             ". You can do it now or later, but if you do it later, Vrel can't continue. Press Ok when you're ready or Canel if you want to leave.",
         .title = "Moving Mods",
         .buttons = MessageButtons::OkCancel,
         .icon = MessageIcon::Information});
    return answer != MessageAnswer::Cancel;
}

// Why patch000.dat could not be moved from the game folder.
enum class PatchMoveProblem { NoGameFolder, NoGame, NoPatch, CopyFailed };

std::string DescribePatchMoveProblem(PatchMoveProblem problem,
                                     const std::filesystem::path& gameFolder) {
    const std::string folder = PathToDisplay(gameFolder);
    switch (problem) {
        case PatchMoveProblem::NoGameFolder:
            return "No Fallout 2 folder has been chosen yet.";
        case PatchMoveProblem::NoGame:
            return "There is no Fallout2.exe in " + folder + ": it is not the Fallout 2 folder.";
        case PatchMoveProblem::NoPatch:
            return "There is no Patch000.dat in the Fallout 2 folder " + folder + ".";
        case PatchMoveProblem::CopyFailed:
            break;
    }
    return "It could not be copied from " + folder + ".";
}

// Copies the game folder's Patch000.dat into Patches and deletes the original only once the copy
// is whole on the disk, so that neither a failed copy nor a power cut leaves the player without it.
std::optional<PatchMoveProblem> MovePatch(const std::filesystem::path& gameFolder,
                                          const std::filesystem::path& target) {
    if (gameFolder.empty()) {
        return PatchMoveProblem::NoGameFolder;
    }
    const auto source = FindEntryCaseBlind(gameFolder, kGamePatchName);
    std::error_code error;
    if (!source || !std::filesystem::is_regular_file(*source, error)) {
        return FileExistsAt(GameExecutable(gameFolder)) ? PatchMoveProblem::NoPatch
                                                        : PatchMoveProblem::NoGame;
    }
    if (!CopyFileWhole(*source, target, Placing::Replace) ||
        !std::filesystem::remove(*source, error) || error) {
        return PatchMoveProblem::CopyFailed;
    }
    return std::nullopt;
}

// Step 4: the game's own patch in Patches. False when the program has to end. A move that fails
// leaves the player a window to choose the game folder in, and is tried again with the new one.
bool EnsurePatch(StartupContext& context, const std::filesystem::path& patches) {
    if (FileExistsAt(ProgramFile(patches, kGamePatchName))) {
        return true;
    }
    const MessageAnswer answer = context.messages.Show(
        {.text =
             "The file Patch000.dat was not found inside the " + PathToDisplay(patches) +
             " folder. Please move it from your Fallout 2 folder to there.\r\rDo you want me to move it now?  (If no, Vrel aren't gonna be able to run, check qrd.nfo for more information about this!)",
         .title = "Information",
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Exclamation});
    if (answer != MessageAnswer::Yes) {
        return false;
    }
    for (;;) {
        const std::filesystem::path game =
            GameFolderPath(context.config.cfgPath.Fallout2, context.ProgramFolder);
        const auto problem = MovePatch(game, patches / kGamePatchName);
        if (!problem) {
            return true;
        }
        const std::string reason = DescribePatchMoveProblem(*problem, game);
        context.messages.Show(
            {.text = "An error occured while trying to move patch000.dat!\r\r" + reason +
                     (context.FixGameFolder ? "\r\rChoose the folder where Fallout 2 is "
                                              "installed in the Options window that opens now."
                                            : ""),
             .title = "Vrel",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::None});
        if (!context.FixGameFolder || !context.FixGameFolder(reason)) {
            return false;
        }
    }
}

}  // namespace

StartupResult LoadMods(StartupContext& context, ModList& mods) {
    StartupResult result;
    ProgressPort& progress = context.progress;
    progress.Show();
    progress.SetCaption("Initializing...");
    progress.SetLabel("Internal checking...");
    progress.Repaint();
    progress.SetValue(1);

    const std::filesystem::path patches = PatchesFolder(context.ProgramFolder);
    if (!EnsurePatchesFolder(context, patches)) {
        context.lifetime.EndProgram();
        result.Ended = true;
        return result;
    }
    progress.SetValue(10);
    progress.SetValue(20);
    if (!EnsurePatch(context, patches)) {
        context.lifetime.EndProgram();
        result.Ended = true;
        return result;
    }
    progress.SetValue(50);
    CreateGameDataFolders(context.config, context.ProgramFolder);
    progress.SetValue(100);

    mods = ReadModList(patches, context.config.cfgGeneral.LoadModDesc,
                       ReadModOrder(context.ProgramFolder), progress);
    return result;
}

ModList ReadModList(const std::filesystem::path& patches, bool readDescriptions,
                    const std::vector<std::string>& order, ProgressPort& progress) {
    ModList mods;
    mods.SetOrder(order);
    const std::vector<std::filesystem::path> listed = ApplyModOrder(ListDatFiles(patches), order);
    progress.SetLabel("Adding DATs...");
    progress.SetValue(1);
    progress.SetMaximum(static_cast<int>(listed.size()));

    // On a file system that tells case apart a second patch000.dat in other letters can be there;
    // only the first stands for the game's patch, so rows and items stay in step.
    const auto patch = std::find_if(listed.begin(), listed.end(), [](const auto& name) {
        return IsGamePatch(PathToDisplay(name));
    });
    mods.Append({patch != listed.end() ? *patch : std::filesystem::path(kGamePatchName)}, 1,
                kPatchFilesTotal, ProgramFile(patches, kGamePatchName), true, kPatchDescription,
                std::make_shared<FileInDat_Collection>());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const std::filesystem::path& name = listed[i];
        const int position = static_cast<int>(i + 1);
        if (listed.begin() + static_cast<std::ptrdiff_t>(i) == patch) {
            progress.SetValue(position);
            continue;
        }
        const std::filesystem::path fullPath = patches / name;
        DatScan scan = ScanDat(fullPath, readDescriptions);
        auto CurrentFiles = std::make_shared<FileInDat_Collection>();
        mods.Append({name, scan.Problem}, position, scan.FilesTotal, fullPath, false,
                    scan.Description, CurrentFiles);
        for (std::string& member : scan.Names) {
            CurrentFiles->Add(std::move(member));
        }
        progress.SetValue(position);
    }
    return mods;
}

void ReportDamagedArchives(MessageBoxPort& messages, const ModList& mods) {
    std::string list;
    for (int row = 1; row <= mods.Count(); ++row) {
        if (const auto& problem = mods.Row(row).Damage) {
            list += "\r" + PathToDisplay(mods.Row(row).Name) + ": " + DescribeDatProblem(*problem);
        }
    }
    if (list.empty()) {
        return;
    }
    messages.Show(
        {.text =
             "Some DATs inside the " + PatchesInText() +
             " folder are damaged, Vrel could only read part of them:\r" + list +
             "\r\rThey stay in the list, but get a good copy of them before you play with them.",
         .title = "Damaged DATs",
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
}

void ReportSingleDat(MessageBoxPort& messages, std::size_t rowCount,
                     const std::filesystem::path& programFolder) {
    if (rowCount != 1) {
        return;
    }
    messages.Show(
        {.text =
             "I just found 1 DAT inside the " + PatchesInText() +
             " folder. Move all your mods to that folder before you play! Move them now (or later) and the next time you run Vrel it will instantly load all of them.\r\rThe entire path is: " +
             PathToDisplay(PatchesFolder(programFolder)),
         .title = "Move your mods!",
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
}

std::string MainWindowCaption() {
    return "Fallout 2: Vrel " + std::to_string(VREL_VERSION_MAJOR) + "." +
           std::to_string(VREL_VERSION_MINOR);
}

}  // namespace vrel
