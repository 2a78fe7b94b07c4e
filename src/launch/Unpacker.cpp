#include "launch/Unpacker.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <system_error>

#include "archive/DatWalk.h"
#include "archive/MemberPath.h"
#include "archive/MemberReader.h"
#include "archive/OrderedBatches.h"
#include "base/AnsiText.h"
#include "base/FileAttributes.h"
#include "base/MoveNoReplace.h"
#include "base/PathHelpers.h"
#include "base/PendingFile.h"
#include "base/TargetFolders.h"
#include "launch/MemberTarget.h"

namespace vrel {
namespace {

// The record is synced once a batch, before the batch's files are written: larger batches than
// an extraction's spare most of those syncs, and a crash still finds every file of a batch noted.
constexpr std::size_t kRecordedBatchItems = 64;
constexpr std::size_t kRecordedBatchBytes = std::size_t{4} << 20;

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
                                     journal_.CreatedFolders.push_back(folder);
                                 }}) {}

// What became of a member on its way: one of these at a time.
enum class WriteFate {
    Skipped,     // not written, for a reason known before it was set going
    Unrecorded,  // its record line could not be made to last, so it was not written
    Going,       // set going: a thread writes it
    Written,
    Failed,     // its write failed (Problem says why)
    Abandoned,  // not written since a write before it failed
};

struct Unpacker::MemberWrite {
    UnpackFailure Problem;  // with its Kind, when the member is not written
    WriteFate Fate = WriteFate::Skipped;
    DatEntry Entry;
    std::filesystem::path Target;
    NativeText Key;            // FileKey of the target
    std::uint64_t Number = 0;  // its place among the files set going (see writtenThisPlay_)
    bool KeptAside = false;
    bool ReplacesFile = false;       // a file stands there that goes once the content is whole
    std::uintmax_t WrittenSize = 0;  // for the record: as written
    std::int64_t WrittenTime = 0;
};

Expected<void, UnpackFailure> Unpacker::UnpackArchive(const std::filesystem::path& archive,
                                                      const std::string& archiveName,
                                                      const MemberStep& onMember) {
    auto walk = DatWalk::Open(archive);
    if (!walk) {
        problems_.push_back({.Archive = archiveName, .Detail = walk.error()});
        return {};
    }
    stopped_ = false;
    const Inflater inflater = engine_.inflater;
    // Once a write has failed (the disk is full), the threads write nothing more.
    std::atomic<bool> writeFailed{false};
    OrderedBatches<MemberWrite> writes(
        engine_.threads,
        [&walk = *walk, inflater, &writeFailed](MemberWrite& write) {
            WriteFile(walk, write, inflater, writeFailed);
        },
        [this](MemberWrite& write) { TakeWrite(write); },
        [this](std::vector<MemberWrite>& batch) {
            // Every write of the batch is noted on the disk before the first file is.
            if (record_ == nullptr) {
                return;
            }
            if (const Noted synced = record_->Sync(); !synced) {
                for (MemberWrite& write : batch) {
                    if (write.Fate == WriteFate::Going) {
                        write.Fate = WriteFate::Unrecorded;
                        Recorded(synced, write.Problem);
                    }
                }
            }
        },
        kRecordedBatchItems, kRecordedBatchBytes);
    const std::int32_t filesTotal = walk->FilesTotal();
    for (std::int32_t number = 1; number <= filesTotal && !stopped_; ++number) {
        if (onMember) {
            onMember(number, filesTotal);
        }
        std::optional<DatEntry> entry = walk->NextDatEntry();
        if (!entry) {
            writes.TakeAll();
            problems_.push_back(
                {.Archive = archiveName, .Detail = walk->Problem().value_or(DatProblem::BadEntry)});
            break;
        }
        // The name stays with the member's problem, the one place it is read from.
        MemberWrite write{.Problem = {.Archive = archiveName, .Member = std::move(entry->Name)}};
        const auto parts = SafeTargetParts(write.Problem.Member);
        if (!parts) {
            write.Problem.Kind = UnpackProblem::NameLeadsOutside;
            write.Problem.Detail = parts.error();
            writes.Add(std::move(write), 0);
            continue;
        }
        // Read and inflated by the thread that writes it; a member that cannot be read at all
        // gets no folder and no line in the record.
        if (const auto problem = walk->EntryProblem(*entry)) {
            write.Problem.Detail = *problem;
            writes.Add(std::move(write), 0);
            continue;
        }
        auto prepared = targets_.PrepareFile(*parts);
        if (!prepared) {
            write.Problem.Kind = UnpackProblem::TargetRefused;
            write.Problem.Detail = prepared.error();
            writes.Add(std::move(write), 0);
            continue;
        }
        write.Target = std::move(prepared->Path);
        write.Key = FileKey(write.Target);
        // A file written twice (two members of one name) is written in the members' order.
        if (const auto written = writtenThisPlay_.find(write.Key);
            written != writtenThisPlay_.end() && written->second > taken_) {
            writes.TakeAll();
            if (stopped_) {
                break;
            }
        }
        switch (PrepareWrite(write.Target, prepared->Existed, write.Problem, write.KeptAside,
                             write.ReplacesFile)) {
            case WriteOutcome::Ready:
                break;
            case WriteOutcome::Skipped:
                writes.Add(std::move(write), 0);
                continue;
            case WriteOutcome::Failed:
                writes.TakeAll();
                Stop(std::move(write.Problem));
                continue;
        }
        // One file under every name that leads to it, never taken for the player's.
        write.Number = ++setGoing_;
        writtenThisPlay_.insert_or_assign(write.Key, write.Number);
        write.Entry = std::move(*entry);
        write.Fate = WriteFate::Going;
        const auto bytes = static_cast<std::size_t>(write.Entry.RealSize);
        writes.Add(std::move(write), bytes);
    }
    writes.TakeAll();
    // The wrote lines held so far must reach the record like any other: without room for them
    // the game does not start.
    if (record_ != nullptr && !stopped_) {
        if (const Noted flushed = record_->Flush(); !flushed) {
            UnpackFailure problem{.Archive = archiveName, .Member = lastWritten_};
            Recorded(flushed, problem);
            Stop(std::move(problem));
        }
    }
    if (stopped_ && writeFailure_) {
        return Unexpected{*writeFailure_};
    }
    return {};
}

NativeText Unpacker::FileKey(const std::filesystem::path& target) {
    // The folder as written, its separator included; the members of one folder mostly come
    // one after another, so the last one's is at hand.
    const NativeText& text = target.native();
    const std::size_t folderLength = text.size() - target.filename().native().size();
    const std::basic_string_view<NativeText::value_type> folder(text.data(), folderLength);
    if (lastFolder_ == nullptr || lastFolder_->first != folder) {
        auto [known, added] = resolvedFolders_.try_emplace(NativeText(folder));
        if (added) {
            known->second = (ResolvedPath(target).parent_path() / "").native();
        }
        lastFolder_ = &*known;
    }
    NativeText key;
    key.reserve(lastFolder_->second.size() + text.size() - folderLength);
    key += lastFolder_->second;
    key.append(text, folderLength);
    return key;
}

void Unpacker::WriteFile(const DatWalk& walk, MemberWrite& write, Inflater inflater,
                         std::atomic<bool>& writeFailed) {
    if (write.Fate != WriteFate::Going) {
        return;
    }
    if (writeFailed) {
        write.Fate = WriteFate::Abandoned;
        return;
    }
    write.Fate = WriteFate::Failed;  // until it is written
    UnpackFailure& problem = write.Problem;
    std::optional<DatProblem> damaged;
    const std::span<const std::uint8_t> bytes =
        walk.ReadMemberForWriting(write.Entry, damaged, inflater);
    if (damaged) {
        problem.Detail = *damaged;
        return;
    }
    // Only now: a damaged member never takes the place of a whole file.
    if (write.ReplacesFile) {
        RemoveEvenIfReadOnly(write.Target);
    }
    // Made under the member's name, never replacing anything: a file that came to stand there
    // meanwhile is nobody's to overwrite. A file cut short by a crash is one the record names
    // and the restore takes for ours. Its time is read from the open file, which spares looking
    // it up again by its path.
    std::optional<std::filesystem::file_time_type> writeTime;
    const auto written = [&]() -> Expected<void, PlaceFailure> {
        auto file = PendingFile::CreateUnderName(write.Target);
        if (!file) {
            return Unexpected{file.error()};
        }
        if (auto wrote = file->Write(bytes); !wrote) {
            return wrote;
        }
        writeTime = file->LastWriteTime();
        return file->Place(Placing::New);
    }();
    write.WrittenSize = bytes.size();
    if (!written) {
        const PlaceFailure& failure = written.error();
        // A file that cannot be made is passed over as before; one cut off while written stops.
        const bool diskFull = failure.Kind == PlaceProblem::CannotWrite;
        problem.Kind = diskFull ? UnpackProblem::CannotWrite : UnpackProblem::CannotCreate;
        problem.Detail = FileError{write.Target, failure.Error};
        if (diskFull) {
            writeFailed = true;
        }
        return;
    }
    // The game's prototypes stay read-only while it runs.
    if (std::string_view(write.Problem.Member).ends_with("pro")) {
        MakeReadOnly(write.Target);
    }
    write.Fate = WriteFate::Written;
    write.WrittenTime = writeTime ? RecordedWriteTime(*writeTime) : RecordedWriteTime(write.Target);
}

// What became of a member, in directory order: reported, noted in the record and the journal.
void Unpacker::TakeWrite(MemberWrite& write) {
    if (write.Number != 0) {
        taken_ = write.Number;
    }
    if (write.Fate == WriteFate::Skipped) {
        if (!stopped_) {
            problems_.push_back(std::move(write.Problem));
        }
        return;
    }
    if (write.Fate == WriteFate::Unrecorded) {
        // Its line could not be made to last: the unpacking stops before the file is written.
        if (!stopped_) {
            if (write.KeptAside) {
                PutKeptFileBack(write.Target);
            }
            Stop(std::move(write.Problem));
        }
        return;
    }
    if (write.Fate == WriteFate::Written) {
        // Even past a failure the file goes into the journal, so the clean-up removes it.
        const Noted wrote = record_ != nullptr && !stopped_
                                ? record_->Wrote(write.Target, write.WrittenSize, write.WrittenTime)
                                : Noted();
        if (!wrote) {
            RemoveEvenIfReadOnly(write.Target);
            writtenThisPlay_.erase(write.Key);
            if (write.KeptAside) {
                PutKeptFileBack(write.Target);
            }
            Recorded(wrote, write.Problem);
            Stop(std::move(write.Problem));
            return;
        }
        lastWritten_ = write.Problem.Member;
        (settings_.DeleteDataFiles ? journal_.DataDelList : journal_.WrittenFiles)
            .push_back(std::move(write.Target));
        return;
    }
    // Not written: the player's file goes back to its place, which no member of this Play holds
    // (unless an earlier member's file still stands there).
    if (!write.ReplacesFile) {
        writtenThisPlay_.erase(write.Key);
    }
    if (write.KeptAside && write.Problem.Kind != UnpackProblem::CannotWrite) {
        PutKeptFileBack(write.Target);
    }
    if (stopped_ || write.Fate == WriteFate::Abandoned) {
        return;
    }
    if (write.Problem.Kind == UnpackProblem::CannotWrite) {
        Stop(std::move(write.Problem));
    } else {
        problems_.push_back(std::move(write.Problem));
    }
}

void Unpacker::Stop(UnpackFailure failure) {
    writeFailure_ = std::move(failure);
    stopped_ = true;
}

void Unpacker::PutKeptFileBack(const std::filesystem::path& target) {
    // The latest: a copy kept by an earlier Play may still wait under the same name.
    auto kept = std::find_if(journal_.KeptFiles.rbegin(), journal_.KeptFiles.rend(),
                             [&](const KeptFile& file) { return file.Original == target; });
    if (kept != journal_.KeptFiles.rend() && !MoveNoReplace(kept->Aside, target)) {
        // Noted, so a restore knows the file standing there is the user's again.
        if (record_ != nullptr) {
            record_->Back(target);
        }
        journal_.KeptFiles.erase(std::next(kept).base());
    }
}

bool Unpacker::Recorded(const Noted& noted, UnpackFailure& problem) const {
    if (noted) {
        return true;
    }
    problem.Kind = UnpackProblem::CannotWrite;
    problem.Detail = FileError{noted.error().Path, noted.error().Error};
    return false;
}

Expected<Unpacker::KeepOutcome, RecordFailure> Unpacker::KeepAside(
    const std::filesystem::path& target) {
    std::error_code error;
    if (journal_.KeepFolder.empty()) {
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
            if (record_ != nullptr) {
                if (Noted noted = record_->Folder(folder); !noted) {
                    return Unexpected{std::move(noted.error())};
                }
            }
            if (!std::filesystem::create_directory(folder, error)) {
                return KeepOutcome::CannotKeep;
            }
            journal_.CreatedFolders.push_back(folder);
        }
        journal_.KeepFolder = keepFolder;
    }
    // A kept file that could not go back after an earlier Play still waits in this folder: its
    // name is never given again.
    std::size_t number = journal_.KeptFiles.size() + 1;
    std::filesystem::path aside = journal_.KeepFolder / std::to_string(number);
    while (std::filesystem::exists(std::filesystem::symlink_status(aside, error))) {
        aside = journal_.KeepFolder / std::to_string(++number);
    }
    if (record_ != nullptr) {
        if (Noted noted = record_->Keep(target, aside); !noted) {
            return Unexpected{std::move(noted.error())};
        }
    }
    if (MoveNoReplace(target, aside)) {
        return KeepOutcome::CannotKeep;
    }
    journal_.KeptFiles.push_back({target, aside});
    return KeepOutcome::Kept;
}

Unpacker::WriteOutcome Unpacker::PrepareWrite(const std::filesystem::path& target, bool listed,
                                              UnpackFailure& problem, bool& keptAside,
                                              bool& replacesFile) {
    std::error_code error;
    if (listed && std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
        if (settings_.DeleteDataFiles && !writtenThisPlay_.contains(FileKey(target))) {
            // The user's own file: it comes back after the game.
            const auto kept = KeepAside(target);
            if (!kept) {
                Recorded(Unexpected{kept.error()}, problem);
                return WriteOutcome::Failed;
            }
            if (*kept == KeepOutcome::CannotKeep) {
                problem.Kind = keepRefused_.empty() ? UnpackProblem::CannotKeepAside
                                                    : UnpackProblem::KeepFolderNotAFolder;
                problem.Detail = FileError{keepRefused_.empty() ? target : keepRefused_, {}};
                return WriteOutcome::Skipped;
            }
            keptAside = true;
        } else {
            replacesFile = true;
        }
    }
    // Synced with the rest of its batch, before the batch's files are written.
    if (record_ != nullptr && !Recorded(record_->Write(target), problem)) {
        if (keptAside) {
            PutKeptFileBack(target);
        }
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Ready;
}

}  // namespace vrel
