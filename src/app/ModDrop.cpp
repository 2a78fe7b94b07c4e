#include "app/ModDrop.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "archive/DatVerify.h"
#include "archive/ModSource.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"
#include "base/PendingFile.h"

namespace vrel {
namespace {

// Imports with more members than this show their progress in ProgForm.
constexpr std::int64_t kLargeModMembers = 100;

// Lines of a left-out list shown before the rest is only counted.
constexpr std::size_t kShownLeftOut = 12;

std::string Display(const std::filesystem::path& path) {
    return PathToDisplay(path.filename().empty() ? path.parent_path().filename() : path.filename());
}

std::string Extension(const std::filesystem::path& path) {
    const std::u8string suffix = path.extension().u8string();
    return AnsiToLower(std::string(suffix.begin(), suffix.end()));
}

// Whether the user lets the mod already in Patches under that name be replaced.
bool UserLetsReplace(MessageBoxPort& messages, const std::filesystem::path& existing) {
    const MessageAnswer answer =
        messages.Show({.text = "A mod named \"" + Display(existing) + "\" is already inside the " +
                               PatchesInText() +
                               " folder.\r\rDo you want to replace it with the one you dropped?",
                       .title = "Replace mod?",
                       .buttons = MessageButtons::YesNo,
                       .icon = MessageIcon::Question,
                       .defaultAnswer = MessageAnswer::No});
    return answer == MessageAnswer::Yes;
}

// Copies a .dat into Patches, put in place only once whole; otherwise why it was not added.
Expected<void, std::string> CopyDat(const std::filesystem::path& source,
                                    const std::filesystem::path& target, Placing placing) {
    const Expected<void, PlaceFailure> copied = CopyFileWhole(source, target, placing);
    if (copied) {
        return {};
    }
    if (copied.error().Kind == PlaceProblem::CannotRead) {
        return Unexpected{std::string("it cannot be read")};
    }
    if (copied.error().Kind == PlaceProblem::AlreadyThere) {
        return Unexpected{Display(target) + " was put into the " + PatchesInText() +
                          " folder meanwhile; yours was not copied"};
    }
    return Unexpected{Display(target) +
                      " cannot be written: " + ErrorToDisplay(copied.error().Error)};
}

// Why a dropped file cannot be a mod at all, judged by its kind alone; nothing when it may be.
std::optional<std::string> WhyNotAddable(bool folder, const std::string& extension) {
    if (!folder && extension != ".dat" && extension != ".zip" && extension != ".7z") {
        std::string why = "only .dat files, folders, .zip and .7z files can be added";
        if (IsPackedKindNeverRead(extension)) {
            why += "; unpack it and drop the folder";
        }
        return why;
    }
    if ((extension == ".zip" || extension == ".7z") && !PackedSourcesAvailable()) {
        return "this build of Vrel cannot read .zip and .7z files; unpack it and drop the folder";
    }
    return std::nullopt;
}

// A dropped .dat is checked whole and copied into Patches as it is.
void AddDroppedDat(const std::filesystem::path& source, const std::filesystem::path& patches,
                   MessageBoxPort& messages, DropOutcome& outcome) {
    const std::string shown = Display(source);
    const std::filesystem::path fileName = source.filename();
    const DatVerification check = VerifyDat(source);
    if (!check.Findings.empty()) {
        outcome.NotAdded.push_back(shown + ": " + DescribeDatFinding(check.Findings.front()));
        return;
    }
    const auto existing = FindEntryCaseBlind(patches, fileName);
    std::error_code error;
    if (existing && std::filesystem::equivalent(*existing, source, error)) {
        return;  // dropped from Patches itself
    }
    if (existing && !UserLetsReplace(messages, *existing)) {
        outcome.NotAdded.push_back(shown + ": you kept the mod that was there");
        return;
    }
    const std::filesystem::path target = existing.value_or(patches / fileName);
    const auto copied =
        CopyDat(source, target, existing ? Placing::Replace : Placing::NewInAnyCase);
    if (!copied) {
        outcome.NotAdded.push_back(shown + ": " + copied.error());
        return;
    }
    outcome.Added.push_back(Display(target));
}

void NoteImportFailure(const ImportFailure& failure, const std::string& shown,
                       const std::filesystem::path& target, DropOutcome& outcome) {
    if (failure.Kind == ImportProblem::AlreadyThere) {
        outcome.NotAdded.push_back(shown + ": you kept the mod that was there");
        return;
    }
    if (failure.Kind == ImportProblem::CannotWrite || failure.Kind == ImportProblem::TooLarge) {
        // The archive's own fault, never the dropped file's.
        outcome.NotAdded.push_back(Display(target) + ": " + DescribeImportFailure(failure));
        return;
    }
    std::string why = DescribeImportFailure(failure);
    for (const std::string& refusal : failure.Refusals) {
        why += "\r    " + refusal;
    }
    outcome.NotAdded.push_back(shown + ": " + why);
}

// A dropped folder, .zip or .7z is imported as a new archive in Patches.
void ImportDroppedMod(const std::filesystem::path& source, const std::filesystem::path& patches,
                      MessageBoxPort& messages, ProgressPort& progress, DropOutcome& outcome) {
    const std::string shown = Display(source);
    const std::filesystem::path fileName = ImportArchiveName(source);
    const std::filesystem::path target =
        FindEntryCaseBlind(patches, fileName).value_or(patches / fileName);
    bool shownProgress = false;
    ImportOptions options{.ModName = {}};
    options.MayReplace = [&](const std::filesystem::path& there) {
        return UserLetsReplace(messages, there);
    };
    options.Progress = [&](std::int64_t done, std::int64_t total) {
        if (done == 0 && total > kLargeModMembers) {
            shownProgress = true;
            progress.Show();
            progress.SetCaption("Adding mods...");
            progress.SetLabel("Adding " + shown + "...");
            progress.SetMaximum(static_cast<int>(total));
            progress.SetValue(0);
            progress.Repaint();
        } else if (shownProgress && (done % 50 == 0 || done == total)) {
            progress.SetValue(static_cast<int>(done));
            progress.Repaint();
        }
    };
    const auto result = ImportMod(source, target, options);
    if (shownProgress) {
        progress.Hide();
    }
    if (!result) {
        NoteImportFailure(result.error(), shown, target, outcome);
        return;
    }
    for (const CopiedDat& copied : result->Copied) {
        outcome.Added.push_back(Display(copied.Path));
    }
    if (result->Copied.empty()) {
        outcome.Added.push_back(Display(target));
    }
    if (!result->LeftOut.empty()) {
        // The mods that came as .dat files are listed above; what was left out came with them.
        outcome.LeftOut.push_back({result->Copied.empty() ? Display(target) : shown,
                                   result->LeftOut, result->DescriptionFrom});
    }
}

}  // namespace

DropOutcome AddDroppedMods(const std::vector<std::filesystem::path>& dropped,
                           const std::filesystem::path& patches, MessageBoxPort& messages,
                           ProgressPort& progress) {
    DropOutcome outcome;
    for (const std::filesystem::path& source : dropped) {
        std::error_code error;
        const bool folder = std::filesystem::is_directory(source, error);
        const std::string extension = folder ? std::string() : Extension(source);
        if (const auto why = WhyNotAddable(folder, extension)) {
            outcome.NotAdded.push_back(Display(source) + ": " + *why);
        } else if (extension == ".dat") {
            AddDroppedDat(source, patches, messages, outcome);
        } else {
            ImportDroppedMod(source, patches, messages, progress, outcome);
        }
    }
    return outcome;
}

void ReportDrop(MessageBoxPort& messages, const DropOutcome& outcome) {
    if (outcome.LeftOut.empty() && outcome.NotAdded.empty()) {
        if (outcome.Added.empty()) {
            return;
        }
        std::string names;
        for (const std::string& name : outcome.Added) {
            names += (names.empty() ? "" : ", ") + name;
        }
        messages.Show({.text = "Added to the " + PatchesInText() + " folder, whole: " + names + ".",
                       .title = "Adding mods",
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::Information});
        return;
    }
    std::string text;
    if (!outcome.Added.empty()) {
        text += "Added to the " + PatchesInText() + " folder:";
        for (const std::string& name : outcome.Added) {
            text += "\r      " + name;
        }
        text += "\r\r";
    }
    for (const DropOutcome::LeftOutOf& mod : outcome.LeftOut) {
        text += "Left out of " + mod.Archive + ", since the game does not read them from a mod:";
        const std::pair<LeftOutKind, const char*> groups[] = {
            {LeftOutKind::GameFolder, "For the game folder, beside Fallout2.exe:"},
            {LeftOutKind::GameProgram, "The game's program:"},
            {LeftOutKind::ConfigFolder, "For the config folder, in the game folder:"},
            {LeftOutKind::SfallMod, "For sfall's mods folder, in the game folder:"},
            {LeftOutKind::Appearance, "For sfall's appearance folder, in the game folder:"},
            {LeftOutKind::ModArchive, "Mods of their own (drop each .dat by itself):"},
            {LeftOutKind::PackedArchive,
             "Archives of their own (unpack them and drop what they hold):"},
            {LeftOutKind::GameArchive, "The game's own archives, not mods:"},
            {LeftOutKind::BesideData, "Beside its data folder, of which only data is taken:"},
            {LeftOutKind::ReadMe, "To read:"},
            {LeftOutKind::Other, "Not part of the game's data:"}};
        for (const auto& [kind, heading] : groups) {
            std::size_t count = 0;
            for (const LeftOutFile& file : mod.Files) {
                if (file.Kind != kind) {
                    continue;
                }
                if (count == 0) {
                    text += std::string("\r  ") + heading;
                }
                if (count++ < kShownLeftOut) {
                    text += "\r      " + file.Path;
                }
            }
            if (count > kShownLeftOut) {
                text += "\r      and " + std::to_string(count - kShownLeftOut) + " more";
            }
        }
        text += "\r\r";
        if (mod.DescriptionFrom) {
            text += "Its read-me, " + *mod.DescriptionFrom + ", is now the mod's description.\r\r";
        }
        if (std::any_of(mod.Files.begin(), mod.Files.end(), [](const LeftOutFile& file) {
                return file.Kind == LeftOutKind::GameFolder ||
                       file.Kind == LeftOutKind::ConfigFolder ||
                       file.Kind == LeftOutKind::SfallMod || file.Kind == LeftOutKind::Appearance;
            })) {
            text += "Copy the files for the game folder there yourself if the mod needs them.\r\r";
        }
    }
    if (!outcome.NotAdded.empty()) {
        text += "Not added:";
        for (const std::string& line : outcome.NotAdded) {
            text += "\r    " + line;
        }
    }
    while (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    messages.Show(
        {.text = text,
         .title = "Adding mods",
         .buttons = MessageButtons::Ok,
         .icon = outcome.NotAdded.empty() ? MessageIcon::Information : MessageIcon::Exclamation});
}

}  // namespace vrel
