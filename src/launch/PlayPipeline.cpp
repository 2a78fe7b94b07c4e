#include "launch/PlayPipeline.h"

#include <algorithm>
#include <unordered_set>

#include "archive/OrderedPool.h"
#include "base/AnsiText.h"
#include "base/DebugSwitch.h"
#include "base/PathHelpers.h"
#include "base/Utf8.h"
#include "config/ButtonSounds.h"
#include "config/GamePaths.h"
#include "launch/CleanUp.h"
#include "launch/PlayLock.h"
#include "launch/Recovery.h"
#include "launch/Unpacker.h"

namespace vrel {
namespace {

constexpr std::size_t kProblemsListed = 20;

// A member name as the player reads it; a control character in it would break the message's lines.
std::string Display(const std::string& ansi) {
    return WithControlPictures(AnsiToUtf8(ansi));
}

// Why a file was not unpacked, as the player reads it.
std::string DescribeUnpackFailure(const UnpackFailure& problem) {
    if (const auto* dat = std::get_if<DatProblem>(&problem.Detail)) {
        return DescribeDatProblem(*dat);
    }
    if (const auto* unsafe = std::get_if<UnsafeName>(&problem.Detail)) {
        return *unsafe == UnsafeName::Control ? DescribeUnsafeName(*unsafe)
                                              : "its name leads outside the game folder";
    }
    if (const auto* target = std::get_if<TargetFailure>(&problem.Detail)) {
        return DescribeTargetFailure(*target, TargetReader::Player);
    }
    const FileError& file = std::get<FileError>(problem.Detail);
    const std::string path = PathToDisplay(file.Path);
    switch (problem.Kind) {
        case UnpackProblem::CannotKeepAside:
            return "the file already at " + path + " could not be kept aside";
        case UnpackProblem::KeepFolderNotAFolder:
            return "your file already there was left alone: " + path +
                   ", where Vrel keeps your files while you play, is a link or a file, not a folder of the game folder";
        case UnpackProblem::CannotCreate:
            return "cannot create " + DescribePathError(file.Path, file.Error);
        default:
            break;
    }
    return "cannot write " + DescribePathError(file.Path, file.Error);
}

std::string DescribeProblems(const std::vector<UnpackFailure>& problems) {
    std::string text = "Vrel could not unpack these files, the game will run without them:\r";
    for (std::size_t i = 0; i < problems.size() && i < kProblemsListed; ++i) {
        const UnpackFailure& problem = problems[i];
        text += "\r" + problem.Archive;
        if (!problem.Member.empty()) {
            text += ": " + Display(problem.Member);
        }
        text += " (" + DescribeUnpackFailure(problem) + ")";
    }
    if (problems.size() > kProblemsListed) {
        text += "\r...and " + std::to_string(problems.size() - kProblemsListed) + " more.";
    }
    return text;
}

}  // namespace

PlayPipeline::PlayPipeline(ProgramState& state, Ports& ports, ProgressPort& progress,
                           PlayScreens& screens)
    : state_(state), ports_(ports), progress_(progress), screens_(screens) {}

void PlayPipeline::cmdPlay_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.ProgramFolder);
    Play();
    gameLock_.clear();
    // The program folder stays locked for as long as this Vrel keeps the record open.
    if (!record_) {
        programLock_.reset();
    }
}

void PlayPipeline::Play() {
    const CfgGeneral& general = state_.Config.cfgGeneral;
    if (!record_) {
        programLock_ = LockProgramFolder(state_.ProgramFolder).Lock;
    }
    // A Play cut short in an earlier run is settled first: this Play must not bury its record.
    // While another Vrel plays from this folder, nothing starts.
    const RestoreAnswer restore =
        record_ ? RestoreAnswer::NothingToRestore
                : OfferGameFolderRestore(state_.ProgramFolder, ports_.messages,
                                         programLock_ ? &*programLock_ : nullptr);
    if (restore == RestoreAnswer::PlayInProgress) {
        return;
    }
    if (restore == RestoreAnswer::Declined) {
        ports_.messages.Show(
            {.text =
                 "The game was not started: the Fallout 2 folder still holds the mod files of the game that didn't end the normal way, and your own files that they replaced.\r\rClick Play again and answer Yes to restore the game folder first.",
             .title = "Can't begin the game!",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        return;
    }
    const std::filesystem::path game =
        GameFolderPath(state_.Config.cfgPath.Fallout2, state_.ProgramFolder);
    // The file that is checked here is the file that is started.
    const std::filesystem::path gameProgram = GameExecutable(game);
    if (game.empty() || !FileExistsAt(gameProgram)) {
        ports_.messages.Show(
            {.text = "Fallout2.exe not found! Check the Fallout 2 path on the options box.",
             .title = "Can't begin the game!",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Critical});
        ports_.lifetime.EndProgram();
        return;
    }
    if (general.CheckConflicts) {
        screens_.ShowConflictCheck();
        if (state_.CancelPlay) {
            state_.CancelPlay = false;
            return;
        }
    }
    bool unpack = true;
    if (HasDebugSwitch(state_.CommandLine)) {
        unpack = ports_.messages.Show({.text = "Skip DAT-unpack process and run Fallout directly?",
                                       .title = "Debug question",
                                       .buttons = MessageButtons::YesNo,
                                       .icon = MessageIcon::Question}) != MessageAnswer::Yes;
    }
    // Files that are to be removed after the game are recorded, so a crash cannot strand them;
    // without the record the player's own files would have no safety net.
    bool startedRecord = false;
    if (unpack && state_.Config.cfgGeneral.DeleteDataFiles && !record_) {
        auto started = PlayRecord::Start(state_.ProgramFolder, game);
        if (!started) {
            ports_.messages.Show(
                {.text =
                     "Vrel can't write its play record " +
                     PathToDisplay(state_.ProgramFolder / PlayRecord::kFileName) + " (" +
                     ErrorToDisplay(started.error().Error) +
                     ").\r\rWithout it, your own files that the mods replace could be lost if Vrel were closed while you play. The game was not started: make room in Vrel's folder, or let Vrel write there.",
                 .title = "Can't begin the game!",
                 .buttons = MessageButtons::Ok,
                 .icon = MessageIcon::Critical});
            return;
        }
        record_.emplace(std::move(*started));
        startedRecord = true;
    }
    // No other Vrel may play into this game folder, nor restore it, until this Play has ended.
    // Taken once the record names the game folder, so that a restore after a crash finds the lock
    // file a killed Vrel left there and removes it.
    if (std::filesystem::path busy; !LockGameFolders({game}, gameLock_, busy)) {
        if (startedRecord) {
            record_->Remove();
            record_.reset();
        }
        ShowPlayInProgress(ports_.messages, busy, true);
        return;
    }
    if (unpack && !Unpack(game)) {
        // A write failed: the game does not start, and what this Play wrote goes again, with
        // what an earlier clean-up could not delete.
        // Each once, looked up by its text: a Play writes thousands.
        std::unordered_set<std::filesystem::path::string_type> listed;
        for (const auto& file : journal_.DataDelList) {
            listed.insert(file.native());
        }
        for (auto& file : journal_.WrittenFiles) {
            if (listed.insert(file.native()).second) {
                journal_.DataDelList.push_back(std::move(file));
            }
        }
        journal_.WrittenFiles.clear();
        CleanUp(false);
        return;
    }
    screens_.ShowWaitingWindow(gameProgram);
    if (state_.Config.cfgGeneral.DeleteDataFiles) {
        CleanUp(true);
    }
    progress_.Hide();
    screens_.SetMainWindowVisible(true);
}

bool PlayPipeline::Unpack(const std::filesystem::path& game) {
    const ModList& mods = state_.Mods;
    progress_.Show();
    screens_.SetMainWindowVisible(false);
    progress_.SetCaption("Starting...");
    progress_.SetLabel("Initializing Settings");
    progress_.SetValue(1);
    progress_.SetMaximum(mods.Count());
    progress_.Repaint();
    progress_.SetCaption("Patching Fallout...");

    const std::filesystem::path patches = PatchesFolder(state_.ProgramFolder);
    // Files that earlier Plays left on purpose (DeleteDataFiles off) are no part of this Play:
    // should it fail, only what it wrote itself goes again.
    journal_.WrittenFiles.clear();
    if (journal_.KeptFiles.empty() && journal_.DataDelList.empty()) {
        journal_.CreatedFolders.clear();
    }
    // Files the player keeps (DeleteDataFiles off) are not recorded: no restore may remove them.
    PlayRecord* record = record_ && state_.Config.cfgGeneral.DeleteDataFiles ? &*record_ : nullptr;
    Unpacker unpacker(game, state_.Config.cfgGeneral, journal_, record,
                      {.threads = WorkerThreads(std::nullopt)});
    std::optional<UnpackFailure> stoppedBy;  // the write that failed
    for (int row = 1; row <= mods.Count() && !stoppedBy; ++row) {
        const std::filesystem::path& name = mods.Row(row).Name;
        const std::string shownName = PathToDisplay(name);
        progress_.SetLabel("Processing " + shownName);
        progress_.SetValue(row);
        progress_.Repaint();
        if (!mods.Ticked(row)) {
            continue;
        }
        const auto unpacked = unpacker.UnpackArchive(
            patches / name, shownName, [&](std::int32_t number, std::int32_t filesTotal) {
                progress_.SetLabel(shownName + " " + std::to_string(number) + "/" +
                                   std::to_string(filesTotal));
                progress_.RepaintLabel();
            });
        if (!unpacked) {
            stoppedBy = unpacked.error();
        }
    }
    progress_.Hide();
    if (record_) {
        record_->Sync();
    }

    if (const auto& failure = stoppedBy) {
        ports_.messages.Show(
            {.text =
                 "Vrel could not write " + Display(failure->Member) + " from " + failure->Archive +
                 " (" + DescribeUnpackFailure(*failure) +
                 ").\r\rThe disk may be full. The game was not started, and the files unpacked so far are removed again.",
             .title = "Can't begin the game!",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Critical});
        return false;
    }
    if (!unpacker.Problems().empty()) {
        ports_.messages.Show({.text = DescribeProblems(unpacker.Problems()),
                              .title = "Some files were not unpacked",
                              .buttons = MessageButtons::Ok,
                              .icon = MessageIcon::Exclamation});
    }
    return true;
}

void PlayPipeline::CleanUp(bool gameRan) {
    progress_.Show();
    screens_.SetMainWindowVisible(false);
    if (gameRan) {
        progress_.SetCaption("Fallout finished its execution!");
    }
    progress_.SetLabel("Deleting DATA files...");
    progress_.SetValue(1);
    progress_.SetMaximum(static_cast<int>(journal_.DataDelList.size()));
    progress_.Repaint();
    CleanUpGameFolder(
        journal_, [this](int k) { progress_.SetValue(k); }, record_ ? &*record_ : nullptr);
    // What could not be put back or deleted keeps the record, for the restore at the next start.
    if (record_ && journal_.KeptFiles.empty() && journal_.DataDelList.empty()) {
        // The game folder's lock file goes first: should Vrel die in between, the record left
        // lets the restore find and remove it.
        gameLock_.clear();
        record_->Remove();
        record_.reset();
    }
    if (!journal_.KeptFiles.empty() || !journal_.DataDelList.empty()) {
        if (record_) {
            record_->Ended();
        }
        std::string text = "The game folder is not as it was before you played yet.";
        for (std::size_t i = 0; i < journal_.KeptFiles.size() && i < kProblemsListed; ++i) {
            text +=
                (i == 0
                     ? "\r\rThese files of yours could not be put back, something stands in their place; they wait in the .vrel-kept folder of the game, and I'll try again after the next game:\r"
                     : "\r") +
                PathToDisplay(journal_.KeptFiles[i].Original);
        }
        for (std::size_t i = 0; i < journal_.DataDelList.size() && i < kProblemsListed; ++i) {
            text +=
                (i == 0
                     ? "\r\rThese files that the mods put there could not be removed (is the folder read-only?), I'll try again after the next game:\r"
                     : "\r") +
                PathToDisplay(journal_.DataDelList[i]);
        }
        ports_.messages.Show({.text = text,
                              .title = "Vrel",
                              .buttons = MessageButtons::Ok,
                              .icon = MessageIcon::Exclamation});
    }
    progress_.Hide();
    screens_.SetMainWindowVisible(true);
}

}  // namespace vrel
