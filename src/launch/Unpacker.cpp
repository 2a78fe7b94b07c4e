#include "launch/Unpacker.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberStream.h"
#include "base/AnsiText.h"
#include "base/FileAttributes.h"
#include "base/MoveNoReplace.h"
#include "base/PathHelpers.h"
#include "base/TargetFolders.h"
#include "launch/MemberTarget.h"

namespace vrel {
namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

Unpacker::Unpacker(std::filesystem::path gameFolder, const CfgGeneral& settings,
                   UnpackJournal& journal, PlayRecord* record, UnpackEngine engine)
    : gameFolder_(std::move(gameFolder)),
      settings_(settings),
      journal_(journal),
      record_(record),
      engine_(engine),
      targets_(gameFolder_, {.BeforeCreating =
                                 [this](const std::filesystem::path& folder) {
                                     if (record_ != nullptr) {
                                         record_->Folder(folder);
                                     }
                                 },
                             .Created =
                                 [this](const std::filesystem::path& folder) {
                                     journal_.createdFolders.push_back(folder);
                                 }}) {}

bool Unpacker::UnpackArchive(const std::filesystem::path& archive, const std::string& archiveName,
                             const MemberStep& onMember) {
    auto walk = DatWalk::Open(archive);
    if (!walk) {
        problems_.push_back({.Archive = archiveName, .Dat = walk.error()});
        return true;
    }
    const std::int32_t filesTotal = walk->FilesTotal();
    // Members whose names lead outside the game folder are not even read.
    MemberStream members(
        *walk, engine_.threads,
        [](const DatEntry& entry) { return CheckMemberName(entry.Name).has_value(); },
        engine_.inflater);
    for (std::int32_t number = 1; number <= filesTotal; ++number) {
        if (onMember) {
            onMember(number, filesTotal);
        }
        std::optional<MemberStream::Member> next = members.Next();
        if (!next) {
            problems_.push_back(
                {.Archive = archiveName, .Dat = walk->Problem().value_or(DatProblem::BadEntry)});
            break;
        }
        const DatEntry* entry = &next->Entry;
        const auto parts = SafeTargetParts(entry->Name);
        if (!parts) {
            problems_.push_back({.Archive = archiveName,
                                 .Member = entry->Name,
                                 .Kind = UnpackProblem::NameLeadsOutside,
                                 .Unsafe = parts.error()});
            continue;
        }
        const MemberContent& content = *next->Content;
        if (content.Problem) {
            problems_.push_back(
                {.Archive = archiveName, .Member = entry->Name, .Dat = *content.Problem});
            continue;
        }
        const auto prepared =
            targets_.PrepareFile(std::vector<std::string_view>(parts->begin(), parts->end()));
        if (!prepared) {
            problems_.push_back({.Archive = archiveName,
                                 .Member = entry->Name,
                                 .Kind = UnpackProblem::TargetRefused,
                                 .Target = prepared.error()});
            continue;
        }
        const std::filesystem::path& target = prepared->Path;
        UnpackFailure problem{.Archive = archiveName, .Member = entry->Name};
        switch (WriteMember(target, content.Bytes, problem)) {
            case WriteOutcome::Written:
                break;
            case WriteOutcome::Skipped:
                problems_.push_back(std::move(problem));
                continue;
            case WriteOutcome::Failed:
                writeFailure_ = std::move(problem);
                return false;
        }
        // The game's prototypes stay read-only while it runs.
        if (EndsWith(entry->Name, "pro")) {
            MakeReadOnly(target);
        }
        journal_.writtenFiles.push_back(target);
        if (settings_.DeleteDataFiles) {
            journal_.DataDelList.push_back(target);
        }
    }
    return true;
}

bool Unpacker::Recorded(bool noted, UnpackFailure& problem) const {
    if (noted) {
        return true;
    }
    problem.Kind = UnpackProblem::CannotWrite;
    problem.Path = record_->Path();
    problem.Error = record_->Error();
    return false;
}

Unpacker::KeepOutcome Unpacker::KeepAside(const std::filesystem::path& target) {
    std::error_code error;
    if (journal_.keepFolder.empty()) {
        const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
        const std::filesystem::path keepRoot = gameFolder_ / ".vrel-kept";
        const std::filesystem::path keepFolder = keepRoot / std::to_string(stamp);
        for (const auto& folder : {keepRoot, keepFolder}) {
            // A real folder of the game folder's own: through a link the player's files would
            // leave the game folder, where no restore may follow them.
            const auto status = std::filesystem::symlink_status(folder, error);
            if (std::filesystem::is_directory(status)) {
                continue;
            }
            if (std::filesystem::exists(status)) {
                keepRefused_ = folder;
                return KeepOutcome::CannotKeep;
            }
            if (record_ != nullptr && !record_->Folder(folder)) {
                return KeepOutcome::RecordFailed;
            }
            if (!std::filesystem::create_directory(folder, error)) {
                return KeepOutcome::CannotKeep;
            }
            journal_.createdFolders.push_back(folder);
        }
        journal_.keepFolder = keepFolder;
    }
    // A kept file that could not go back after an earlier Play still waits in this folder: its
    // name is never given again.
    std::size_t number = journal_.keptFiles.size() + 1;
    std::filesystem::path aside = journal_.keepFolder / std::to_string(number);
    while (std::filesystem::exists(std::filesystem::symlink_status(aside, error))) {
        aside = journal_.keepFolder / std::to_string(++number);
    }
    if (record_ != nullptr && !record_->Keep(target, aside)) {
        return KeepOutcome::RecordFailed;
    }
    if (MoveNoReplace(target, aside)) {
        return KeepOutcome::CannotKeep;
    }
    journal_.keptFiles.push_back({target, aside});
    return KeepOutcome::Kept;
}

Unpacker::WriteOutcome Unpacker::WriteMember(const std::filesystem::path& target,
                                             const std::vector<std::uint8_t>& bytes,
                                             UnpackFailure& problem) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    bool keptAside = false;
    if (std::filesystem::exists(status)) {
        if (settings_.DeleteDataFiles &&
            !writtenThisPlay_.contains(ResolvedPath(target).native())) {
            // The user's own file: it comes back after the game.
            switch (KeepAside(target)) {
                case KeepOutcome::Kept:
                    break;
                case KeepOutcome::CannotKeep:
                    problem.Kind = keepRefused_.empty() ? UnpackProblem::CannotKeepAside
                                                        : UnpackProblem::KeepFolderNotAFolder;
                    problem.Path = keepRefused_.empty() ? target : keepRefused_;
                    return WriteOutcome::Skipped;
                case KeepOutcome::RecordFailed:
                    Recorded(false, problem);
                    return WriteOutcome::Failed;
            }
            keptAside = true;
        } else {
            RemoveEvenIfReadOnly(target);
        }
    }

    if (record_ != nullptr && !Recorded(record_->Write(target), problem)) {
        return WriteOutcome::Failed;
    }
    std::FILE* file = OpenFile(target, "wb");
    if (file == nullptr) {
        problem.Kind = UnpackProblem::CannotCreate;
        problem.Path = target;
        problem.Error = std::error_code(errno, std::generic_category());
        if (keptAside && !MoveNoReplace(journal_.keptFiles.back().aside, target)) {
            // Noted, so a restore knows the file standing there is the user's again.
            if (record_ != nullptr) {
                record_->Back(target);
            }
            journal_.keptFiles.pop_back();
        }
        return WriteOutcome::Skipped;
    }
    // One file under every name that leads to it, never taken for the player's.
    writtenThisPlay_.insert(ResolvedPath(target).native());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        problem.Kind = UnpackProblem::CannotWrite;
        problem.Path = target;
        problem.Error = std::error_code(written ? errno : writeErrno, std::generic_category());
        std::filesystem::remove(target, error);
        return WriteOutcome::Failed;
    }
    if (record_ != nullptr && !Recorded(record_->Wrote(target), problem)) {
        RemoveEvenIfReadOnly(target);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

}  // namespace vrel
