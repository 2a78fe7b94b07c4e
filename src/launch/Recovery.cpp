#include "launch/Recovery.h"

#include "base/AnsiText.h"
#include "launch/PlayLock.h"
#include "launch/RestoreGameFolder.h"

namespace vrel {
namespace {

std::string List(const std::vector<std::filesystem::path>& files) {
    std::string text;
    for (const auto& file : files) {
        text += "\r" + PathToDisplay(file);
    }
    return text;
}

}  // namespace

RestoreAnswer OfferGameFolderRestore(const std::filesystem::path& programFolder,
                                     MessageBoxPort& messages, const FileLock* programLock) {
    ProgramLock ownLock;
    if (programLock == nullptr) {
        ownLock = LockProgramFolder(programFolder);
    }
    const std::optional<RecordedPlay> play = ReadPlayRecord(programFolder);
    if (ownLock.Held) {
        // The Vrel that holds the record may be writing it: it is read only to name its game.
        if (!play) {
            return RestoreAnswer::NothingToRestore;
        }
        std::vector<FileLock> probe;
        std::filesystem::path busy;
        ShowPlayInProgress(messages, play->GameFolder,
                           !LockGameFolders({play->GameFolder}, probe, busy));
        return RestoreAnswer::PlayInProgress;
    }
    if (!play) {
        return RestoreAnswer::NothingToRestore;
    }
    std::vector<std::filesystem::path> gameFolders = {play->GameFolder};
    for (const auto& step : play->Steps) {
        gameFolders.push_back(step.GameFolder);
    }
    std::vector<FileLock> gameLocks;
    std::filesystem::path busy;
    if (!LockGameFolders(gameFolders, gameLocks, busy)) {
        ShowPlayInProgress(messages, busy, true);
        return RestoreAnswer::PlayInProgress;
    }
    // The Play's clean-up ran to its end and left something unsettled.
    const bool ended = !play->Steps.empty() && play->Steps.back().Kind == "ended";
    const MessageAnswer answer = messages.Show(
        {.text =
             (ended
                  ? "The last game ended, but Vrel could not put the Fallout 2 folder (" +
                        PathToDisplay(play->GameFolder) +
                        ") back as it was then: a file of yours could not go back to its place, or a file of the mods could not be removed."
                  : "The last game didn't end the normal way: Vrel was closed while the mod files were still in the Fallout 2 folder (" +
                        PathToDisplay(play->GameFolder) + ").") +
             "\r\rDo you want me to restore the game folder now? Files that the game or you changed since they were unpacked are kept.\r\r(If Fallout 2 is still running, answer No and close it first, I'll ask again the next time.)",
         .title = kRestoreQuestionTitle,
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Question,
         // The recorded game may still run: Yes is chosen, never taken by a stray Enter.
         .defaultAnswer = MessageAnswer::No});
    if (answer != MessageAnswer::Yes) {
        return RestoreAnswer::Declined;
    }
    // The game folder's lock file goes before the record: should Vrel die in between, the record
    // left lets the next restore find and remove it.
    const RestoreOutcome outcome = RestoreGameFolder(*play, [&gameLocks] { gameLocks.clear(); });
    const bool settled =
        outcome.NotRestored.empty() && outcome.NotRemoved.empty() && outcome.LeftAlone.empty();
    std::string text = settled ? "Done, the game folder is as it was before you played."
                               : "The game folder is not restored in full yet.";
    if (!outcome.ChangedKept.empty()) {
        text = (settled ? std::string("The game folder is restored.") : text) +
               " These files were changed after Vrel unpacked them, so they stay where they are:" +
               List(outcome.ChangedKept);
    }
    if (!outcome.NotRemoved.empty()) {
        text +=
            "\r\rThese files that the mods put there could not be removed (is the folder read-only?), I'll try again the next time:" +
            List(outcome.NotRemoved);
    }
    if (!outcome.PlacedBeside.empty()) {
        text += "\r\rYour own files that stood there are back right beside them:" +
                List(outcome.PlacedBeside);
    }
    if (!outcome.NotRestored.empty()) {
        text +=
            "\r\rThese files of yours could not be put back yet, they wait in the .vrel-kept folder of the game and I'll try again the next time:" +
            List(outcome.NotRestored);
    }
    if (!outcome.LeftAlone.empty()) {
        text +=
            "\r\rThe record of that game names these places outside the game folder, so I left them alone:" +
            List(outcome.LeftAlone);
    }
    messages.Show({.text = text,
                   .title = "Vrel",
                   .buttons = MessageButtons::Ok,
                   .icon = settled ? MessageIcon::Information : MessageIcon::Exclamation});
    return RestoreAnswer::Restored;
}

}  // namespace vrel
