#include "launch/Unpacker.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberStream.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "base/FileAttributes.h"
#include "base/PathHelpers.h"
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
      engine_(engine) {}

bool Unpacker::UnpackArchive(const std::filesystem::path& archive, const std::string& archiveName,
                             const MemberStep& onMember) {
    auto walk = DatWalk::Open(archive);
    if (!walk) {
        problems_.push_back({archiveName, "", DescribeDatProblem(walk.error())});
        return true;
    }
    const std::int32_t filesTotal = walk->FilesTotal();
    // Members whose names lead outside the game folder are not even read.
    MemberStream members(
        *walk, engine_.threads, [](const DatEntry& entry) { return !CheckMemberName(entry.Name); },
        engine_.inflater);
    for (std::int32_t number = 1; number <= filesTotal; ++number) {
        if (onMember) {
            onMember(number, filesTotal);
        }
        std::optional<MemberStream::Member> next = members.Next();
        if (!next) {
            problems_.push_back(
                {archiveName, "",
                 DescribeDatProblem(walk->Problem().value_or(DatProblem::BadEntry))});
            break;
        }
        const DatEntry* entry = &next->Entry;
        const auto parts = SafeTargetParts(entry->Name);
        if (!parts) {
            problems_.push_back(
                {archiveName, entry->Name, "its name leads outside the game folder"});
            continue;
        }
        const MemberContent& content = *next->Content;
        if (content.Problem) {
            problems_.push_back({archiveName, entry->Name, DescribeDatProblem(*content.Problem)});
            continue;
        }
        std::string reason;
        const std::optional<std::filesystem::path> folder = PrepareFolder(*parts, reason);
        if (!folder) {
            problems_.push_back({archiveName, entry->Name, reason});
            continue;
        }
        const std::filesystem::path fileName = AnsiToNativePath(parts->back());
        const std::filesystem::path target = FindFile(*folder, fileName);
        switch (WriteMember(target, content.Bytes, reason)) {
            case WriteOutcome::Written:
                break;
            case WriteOutcome::Skipped:
                problems_.push_back({archiveName, entry->Name, reason});
                continue;
            case WriteOutcome::Failed:
                writeFailure_ = UnpackProblem{archiveName, entry->Name, reason};
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

std::optional<std::filesystem::path> Unpacker::PrepareFolder(const std::vector<std::string>& parts,
                                                             std::string& reason) {
    std::filesystem::path folder = gameFolder_;
    std::string key;
    for (std::size_t level = 0; level + 1 < parts.size(); ++level) {
        key += AnsiToLower(parts[level]) + '\\';
        if (const auto known = folders_.find(key); known != folders_.end()) {
            folder = known->second;
            continue;
        }
        const std::filesystem::path name = AnsiToNativePath(parts[level]);
        std::error_code error;
        if (const auto existing = FindEntryCaseBlind(folder, name.string())) {
            if (!std::filesystem::is_directory(*existing, error)) {
                reason =
                    "a file stands where the folder " + PathToDisplay(*existing) + " should be";
                return std::nullopt;
            }
            folder = *existing;
        } else {
            folder /= name;
            if (record_ != nullptr) {
                record_->Folder(folder);
            }
            if (!std::filesystem::create_directory(folder, error)) {
                reason = "the folder " + PathToDisplay(folder) +
                         " cannot be created: " + error.message();
                return std::nullopt;
            }
            journal_.createdFolders.push_back(folder);
        }
        folders_.emplace(key, folder);
    }
    return folder;
}

std::filesystem::path Unpacker::FindFile(const std::filesystem::path& folder,
                                         const std::filesystem::path& name) {
#ifdef _WIN32
    return folder / name;
#else
    auto [entries, first] = folderEntries_.try_emplace(folder.string());
    if (first) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string spelt = it->path().filename().string();
            entries->second.try_emplace(AsciiToLower(spelt), spelt);
        }
    }
    const std::string key = AsciiToLower(name.string());
    if (const auto found = entries->second.find(key); found != entries->second.end()) {
        return folder / found->second;
    }
    entries->second.emplace(key, name.string());
    return folder / name;
#endif
}

bool Unpacker::KeepAside(const std::filesystem::path& target) {
    std::error_code error;
    if (journal_.keepFolder.empty()) {
        const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
        const std::filesystem::path keepRoot = gameFolder_ / ".vrel-kept";
        const std::filesystem::path keepFolder = keepRoot / std::to_string(stamp);
        for (const auto& folder : {keepRoot, keepFolder}) {
            if (std::filesystem::is_directory(folder, error)) {
                continue;
            }
            if (record_ != nullptr) {
                record_->Folder(folder);
            }
            if (!std::filesystem::create_directory(folder, error)) {
                return false;
            }
            journal_.createdFolders.push_back(folder);
        }
        journal_.keepFolder = keepFolder;
    }
    const std::filesystem::path aside =
        journal_.keepFolder / std::to_string(journal_.keptFiles.size() + 1);
    if (record_ != nullptr) {
        record_->Keep(target, aside);
    }
    std::filesystem::rename(target, aside, error);
    if (error) {
        return false;
    }
    journal_.keptFiles.push_back({target, aside});
    return true;
}

Unpacker::WriteOutcome Unpacker::WriteMember(const std::filesystem::path& target,
                                             const std::vector<std::uint8_t>& bytes,
                                             std::string& reason) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    bool keptAside = false;
    if (std::filesystem::exists(status)) {
        if (std::filesystem::is_directory(status)) {
            reason = "a folder stands at " + PathToDisplay(target);
            return WriteOutcome::Skipped;
        }
        if (settings_.DeleteDataFiles && !writtenThisPlay_.contains(target.string())) {
            // The user's own file: it comes back after the game.
            if (!KeepAside(target)) {
                reason =
                    "the file already at " + PathToDisplay(target) + " could not be kept aside";
                return WriteOutcome::Skipped;
            }
            keptAside = true;
        } else {
            RemoveEvenIfReadOnly(target);
        }
    }

    if (record_ != nullptr) {
        record_->Write(target);
    }
    std::FILE* file = OpenFile(target, "wb");
    if (file == nullptr) {
        reason = "cannot create " + PathToDisplay(target) + ": " + std::strerror(errno);
        if (keptAside) {
            std::filesystem::rename(journal_.keptFiles.back().aside, target, error);
            journal_.keptFiles.pop_back();
        }
        return WriteOutcome::Skipped;
    }
    writtenThisPlay_.insert(target.string());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        reason = "cannot write " + PathToDisplay(target) + ": " +
                 std::strerror(written ? errno : writeErrno);
        std::filesystem::remove(target, error);
        return WriteOutcome::Failed;
    }
    if (record_ != nullptr) {
        record_->Wrote(target);
    }
    return WriteOutcome::Written;
}

}  // namespace vrel
