#include "base/PendingFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "base/CaseBlindPath.h"
#include "base/MoveNoReplace.h"
#include "base/PathHelpers.h"
#include "base/SyncFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

namespace vrel {
namespace {

using NativeChar = std::filesystem::path::value_type;

// The new files not yet placed, where a signal handler can reach them without taking a lock or
// allocating: a slot is claimed (1), filled and then published (2); RemovePendingFiles removes
// only published ones. A path too long for a slot, or a slot short, only goes unregistered.
constexpr std::size_t kSlots = 32;
constexpr std::size_t kSlotChars = 4096;
struct Slot {
    std::atomic<int> State{0};
    std::array<NativeChar, kSlotChars> Name{};
};
std::array<Slot, kSlots> slots;

// A slot holding `path`, not yet published.
int Claim(const std::filesystem::path& path) {
    const auto& name = path.native();
    if (name.size() >= kSlotChars) {
        return -1;
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        int free = 0;
        if (slots[i].State.compare_exchange_strong(free, 1)) {
            std::copy(name.begin(), name.end(), slots[i].Name.begin());
            slots[i].Name[name.size()] = 0;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Publish(int slot) {
    if (slot >= 0) {
        slots[static_cast<std::size_t>(slot)].State.store(2);
    }
}

int Register(const std::filesystem::path& temporary) {
    const int slot = Claim(temporary);
    Publish(slot);
    return slot;
}

void Unregister(int slot) {
    if (slot >= 0) {
        slots[static_cast<std::size_t>(slot)].State.store(1);
        slots[static_cast<std::size_t>(slot)].State.store(0);
    }
}

// The moment a file is made under its name and registered (see CreateUnderName):
// RemovePendingFiles waits until no thread is in it, and once that has begun no file is made
// under its name any more. Where a signal handler removes the files, the thread's own signals
// wait meanwhile, since a handler run in the middle of that moment would wait for it in vain.
std::atomic<bool> removingPending{false};
std::atomic<int> makingUnderName{0};
std::atomic<bool> removedBySignals{false};

class MakingUnderName {
public:
    MakingUnderName() {
#ifndef _WIN32
        holding_ = removedBySignals.load(std::memory_order_relaxed);
        if (holding_) {
            sigset_t all;
            sigfillset(&all);
            pthread_sigmask(SIG_BLOCK, &all, &before_);
        }
#endif
        makingUnderName.fetch_add(1);
        allowed_ = !removingPending.load();
    }
    ~MakingUnderName() {
        makingUnderName.fetch_sub(1);
#ifndef _WIN32
        if (holding_) {
            pthread_sigmask(SIG_SETMASK, &before_, nullptr);
        }
#endif
    }
    MakingUnderName(const MakingUnderName&) = delete;
    MakingUnderName& operator=(const MakingUnderName&) = delete;

    bool Allowed() const {
        return allowed_;
    }

private:
#ifndef _WIN32
    sigset_t before_{};
    bool holding_ = false;
#endif
    bool allowed_ = false;
};

std::error_code LastError() {
#ifdef _WIN32
    return {static_cast<int>(GetLastError()), std::system_category()};
#else
    return {errno, std::system_category()};
#endif
}

// A name beside the target that no other run picks: random bits, the clock and a count, so that
// even a weak random source gives a fresh name; creation is exclusive and retried all the same.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static std::atomic<std::uint64_t> count{0};
    thread_local std::random_device random;
    const std::uint64_t bits =
        (static_cast<std::uint64_t>(random()) << 32) ^ random() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (++count * 0x9E3779B97F4A7C15ULL);
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".vrel-part-%016llx",
                  static_cast<unsigned long long>(bits));
    // Within the file system's 255 units for a name, whatever the target's length.
    auto name = target.filename().native();
    if (name.size() > 200) {
        name.resize(200);
    }
    name += std::filesystem::path(suffix).native();
    return target.parent_path() / std::filesystem::path(name);
}

#ifndef _WIN32
std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}
#endif

#ifdef O_TMPFILE
// A file made without a name is given one through /proc, which any user may do; without /proc
// only a privileged one could, so the new files are then named from the start.
bool CanNameUnnamedFiles() {
    static const bool can = access("/proc/self/fd", X_OK) == 0;
    return can;
}

// Gives the unnamed file `file` the name `name`, never replacing anything. Straight from its
// descriptor where the system lets the process that opened it do so (Linux 6.10 on, or a
// privileged user), which spares the walk through /proc that takes a third of a small file's
// cost; through /proc elsewhere. The system's error is in errno on failure.
int LinkUnnamedFile(int file, const char* name) {
    static std::atomic<bool> direct{true};
    if (direct.load(std::memory_order_relaxed)) {
        if (linkat(file, "", AT_FDCWD, name, AT_EMPTY_PATH) == 0) {
            return 0;
        }
        // A refused link says ENOENT (or EPERM), as a missing folder does: through /proc tells.
        if (errno != ENOENT && errno != EPERM) {
            return -1;
        }
    }
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", file);
    if (linkat(AT_FDCWD, self, AT_FDCWD, name, AT_SYMLINK_FOLLOW) != 0) {
        return -1;
    }
    direct.store(false, std::memory_order_relaxed);
    return 0;
}
#endif

}  // namespace

Expected<PendingFile, PlaceFailure> PendingFile::Create(const std::filesystem::path& target,
                                                        Durability durability) {
    std::error_code error;
#ifdef O_TMPFILE
    if (durability == Durability::Unsynced && CanNameUnnamedFiles()) {
        const int file = open(FolderOf(target).c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
        if (file >= 0) {
            PendingFile unnamed(target, {}, file, -1, durability);
            unnamed.unnamed_ = true;
            return unnamed;
        }
        // A file system without unnamed files takes a named one; any other refusal is met again
        // below and reported from there.
    }
#endif
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path temporary = TemporaryName(target);
        // Registered before it exists, so that no moment leaves it out of reach of a signal.
        const int slot = Register(temporary);
#ifdef _WIN32
        HANDLE file =
            CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return PendingFile(target, std::move(temporary), reinterpret_cast<std::intptr_t>(file),
                               slot, durability);
        }
        error = LastError();
        Unregister(slot);
        if (error.value() != ERROR_FILE_EXISTS && error.value() != ERROR_ALREADY_EXISTS) {
            break;
        }
#else
        const int file =
            open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file >= 0) {
            return PendingFile(target, std::move(temporary), file, slot, durability);
        }
        error = LastError();
        Unregister(slot);
        if (error.value() != EEXIST) {
            break;
        }
#endif
    }
    return Unexpected{PlaceFailure{PlaceProblem::CannotCreate, target, error}};
}

Expected<PendingFile, PlaceFailure> PendingFile::CreateUnderName(
    const std::filesystem::path& target) {
    std::intptr_t file = -1;
    std::error_code error;
    int slot = -1;
    {
        const MakingUnderName making;
        // Published only once the file is there: a signal before that must not remove a file of
        // the same name that is not this one.
        slot = making.Allowed() ? Claim(target) : -1;
        if (slot >= 0) {
#ifdef _WIN32
            // DELETE, so that a file given up is removed through its own handle.
            const HANDLE made = CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            file = made == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(made);
#else
            file = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
            if (file == -1) {
                error = LastError();
                Unregister(std::exchange(slot, -1));
            } else {
                Publish(slot);
            }
        }
    }
    if (file == -1) {
        if (error) {
            const bool taken = error == std::errc::file_exists
#ifdef _WIN32
                               || error.value() == ERROR_FILE_EXISTS ||
                               error.value() == ERROR_ALREADY_EXISTS
#endif
                ;
            return Unexpected{PlaceFailure{
                taken ? PlaceProblem::AlreadyThere : PlaceProblem::CannotCreate, target, error}};
        }
        // No slot to reach it by, or the program is being stopped: a file that has no name until
        // it is whole (or a named one beside the target) is as safe.
        return Create(target, Durability::Unsynced);
    }
    PendingFile created(target, {}, file, slot, Durability::Unsynced);
    created.underName_ = true;
    return created;
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      file_(std::exchange(other.file_, -1)),
      slot_(std::exchange(other.slot_, -1)),
      durability_(other.durability_),
      unnamed_(std::exchange(other.unnamed_, false)),
      underName_(std::exchange(other.underName_, false)) {}

PendingFile::~PendingFile() {
    Discard();
}

void PendingFile::CloseFile() {
    if (file_ != -1) {
        CloseNativeFile(std::exchange(file_, -1));
    }
}

void PendingFile::RemoveUnderName() {
    underName_ = false;
    if (file_ == -1) {
        return;
    }
#ifdef _WIN32
    // Through its own handle: never a file that came to stand under the name meanwhile.
    FILE_DISPOSITION_INFO remove{TRUE};
    SetFileInformationByHandle(reinterpret_cast<HANDLE>(file_), FileDispositionInfo, &remove,
                               sizeof remove);
    CloseFile();
#else
    // Only while the name still leads to this file, never to one put there meanwhile.
    struct stat written {};
    struct stat named {};
    const bool same = fstat(static_cast<int>(file_), &written) == 0 &&
                      lstat(target_.c_str(), &named) == 0 && written.st_dev == named.st_dev &&
                      written.st_ino == named.st_ino;
    CloseFile();
    if (same) {
        unlink(target_.c_str());
    }
#endif
}

void PendingFile::Discard() {
    if (underName_) {
        RemoveUnderName();
    }
    CloseFile();
    if (!temporary_.empty()) {
        std::error_code error;
        std::filesystem::remove(temporary_, error);
        temporary_.clear();
    }
    Unregister(std::exchange(slot_, -1));
}

Expected<void, PlaceFailure> PendingFile::Write(std::span<const std::uint8_t> bytes) {
    if (file_ == -1) {
        return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, {}}};
    }
    while (!bytes.empty()) {
#ifdef _WIN32
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(file_), bytes.data(), chunk, &done, nullptr)) {
            return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, LastError()}};
        }
#else
        const ssize_t done = write(static_cast<int>(file_), bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            const std::error_code error =
                done < 0 ? LastError() : std::make_error_code(std::errc::no_space_on_device);
            return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, error}};
        }
#endif
        bytes = bytes.subspan(static_cast<std::size_t>(done));
    }
    return {};
}

std::optional<std::filesystem::file_time_type> PendingFile::LastWriteTime() const {
#ifdef _WIN32
    return std::nullopt;
#else
    struct stat status {};
    if (file_ == -1 || fstat(static_cast<int>(file_), &status) != 0) {
        return std::nullopt;
    }
    // As std::filesystem::last_write_time gives it for the placed file.
    return std::chrono::file_clock::from_sys(std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(status.st_mtim.tv_sec) +
            std::chrono::nanoseconds(status.st_mtim.tv_nsec))));
#endif
}

Expected<void, PlaceFailure> PendingFile::LinkUnnamed(Placing placing) {
    auto fail = [&](PlaceProblem problem, std::error_code error) {
        Discard();
        return Unexpected{PlaceFailure{problem, target_, error}};
    };
#ifdef O_TMPFILE
    if (placing == Placing::New) {
        // Linking never replaces: the name taken meanwhile fails it, as a rename without
        // replacing would.
        if (LinkUnnamedFile(static_cast<int>(file_), target_.c_str()) != 0) {
            const std::error_code error = LastError();
            return fail(error == std::errc::file_exists ? PlaceProblem::AlreadyThere
                                                        : PlaceProblem::CannotPlace,
                        error);
        }
        unnamed_ = false;
        return CloseUnderTarget();
    }
    // The other placings look at the folder and rename: the file gets a name beside the target
    // first, and goes on as one made with it.
    std::error_code error;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path temporary = TemporaryName(target_);
        const int slot = Register(temporary);
        if (LinkUnnamedFile(static_cast<int>(file_), temporary.c_str()) == 0) {
            temporary_ = std::move(temporary);
            slot_ = slot;
            unnamed_ = false;
            return Place(placing);
        }
        error = LastError();
        Unregister(slot);
        if (error != std::errc::file_exists) {
            break;
        }
    }
    return fail(PlaceProblem::CannotPlace, error);
#else
    (void)placing;
    return fail(PlaceProblem::CannotPlace, {});
#endif
}

Expected<void, PlaceFailure> PendingFile::Place(Placing placing) {
    if (unnamed_ && file_ != -1) {
        return LinkUnnamed(placing);
    }
    if (underName_ && file_ != -1) {
        return CloseUnderName(placing);
    }
    if (file_ == -1 || temporary_.empty()) {
        Discard();
        return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, {}}};
    }
    auto fail = [&](PlaceProblem problem, std::error_code error) {
        Discard();
        return Unexpected{PlaceFailure{problem, target_, error}};
    };
    const bool synced = durability_ == Durability::Synced;
    if (const std::error_code error = synced ? SyncFile(file_) : std::error_code()) {
        return fail(PlaceProblem::CannotWrite, error);
    }
#ifdef _WIN32
    const HANDLE file = reinterpret_cast<HANDLE>(std::exchange(file_, -1));
    if (!CloseHandle(file)) {
        return fail(PlaceProblem::CannotWrite, LastError());
    }
    // The file system ignores letter case, so New already keeps out a name in other letters.
    const DWORD flags = (synced ? MOVEFILE_WRITE_THROUGH : 0) |
                        (placing == Placing::Replace || placing == Placing::ReplaceInAnyCase
                             ? MOVEFILE_REPLACE_EXISTING
                             : 0);
    // A file being replaced is held for a moment by whoever replaces or reads it at the same
    // time (another run, a virus scanner): Windows then refuses access, so a few tries are made.
    bool moved = false;
    for (int attempt = 0; !moved; ++attempt) {
        moved = MoveFileExW(temporary_.c_str(), target_.c_str(), flags) != 0;
        const DWORD why = moved ? 0 : GetLastError();
        if (moved || (why != ERROR_ACCESS_DENIED && why != ERROR_SHARING_VIOLATION) ||
            (flags & MOVEFILE_REPLACE_EXISTING) == 0 || attempt == 20) {
            SetLastError(why);
            break;
        }
        Sleep(50);
    }
    if (!moved) {
        const std::error_code error = LastError();
        const bool taken =
            error.value() == ERROR_ALREADY_EXISTS || error.value() == ERROR_FILE_EXISTS;
        return fail(taken ? PlaceProblem::AlreadyThere : PlaceProblem::CannotPlace, error);
    }
#else
    const int file = static_cast<int>(std::exchange(file_, -1));
    if (close(file) != 0) {
        return fail(PlaceProblem::CannotWrite, LastError());
    }
    const std::filesystem::path folder = FolderOf(target_);
    const bool anyCase = placing == Placing::NewInAnyCase || placing == Placing::ReplaceInAnyCase;
    const int folderFile =
        synced || anyCase ? open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    std::error_code error;
    if (placing == Placing::Replace) {
        if (rename(temporary_.c_str(), target_.c_str()) != 0) {
            error = LastError();
        }
    } else if (placing == Placing::New) {
        error = MoveNoReplace(temporary_, target_);
    } else {
        // Other runs that place a name in any case take the same lock on the folder, so the
        // look for a name in other letters and the rename happen as one step.
        if (folderFile >= 0) {
            while (flock(folderFile, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
        const auto existing = FindEntryCaseBlind(folder, target_.filename());
        if (placing == Placing::NewInAnyCase) {
            error = existing ? std::make_error_code(std::errc::file_exists)
                             : MoveNoReplace(temporary_, target_);
        } else {
            // The name that is there stays: one rename, never a moment with two files or none.
            target_ = existing.value_or(target_);
            if (rename(temporary_.c_str(), target_.c_str()) != 0) {
                error = LastError();
            }
        }
    }
    if (!error && synced && folderFile >= 0) {
        SyncFile(folderFile);  // the new name itself survives a power cut
    }
    if (folderFile >= 0) {
        close(folderFile);  // and so lets go of the lock
    }
    if (error) {
        return fail(error == std::errc::file_exists ? PlaceProblem::AlreadyThere
                                                    : PlaceProblem::CannotPlace,
                    error);
    }
#endif
    temporary_.clear();
    Unregister(std::exchange(slot_, -1));
    return {};
}

Expected<void, PlaceFailure> PendingFile::CloseUnderName(Placing placing) {
    if (placing != Placing::New) {
        Discard();
        return Unexpected{PlaceFailure{PlaceProblem::CannotPlace, target_,
                                       std::make_error_code(std::errc::invalid_argument)}};
    }
    // Whole once written: an interruption from here on leaves it in place.
    Unregister(std::exchange(slot_, -1));
    underName_ = false;
    return CloseUnderTarget();
}

Expected<void, PlaceFailure> PendingFile::CloseUnderTarget() {
    // A close that fails could not write the file out: the name goes again.
#ifdef _WIN32
    if (!CloseHandle(reinterpret_cast<HANDLE>(std::exchange(file_, -1)))) {
        const std::error_code error = LastError();
        DeleteFileW(target_.c_str());
        return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, error}};
    }
#else
    if (close(static_cast<int>(std::exchange(file_, -1))) != 0) {
        const std::error_code error = LastError();
        unlink(target_.c_str());
        return Unexpected{PlaceFailure{PlaceProblem::CannotWrite, target_, error}};
    }
#endif
    return {};
}

namespace {

// The bytes to a file just made, placed as asked.
Expected<void, PlaceFailure> WriteAndPlace(Expected<PendingFile, PlaceFailure> file,
                                           std::span<const std::uint8_t> bytes, Placing placing) {
    if (!file) {
        return Unexpected{file.error()};
    }
    if (auto written = file->Write(bytes); !written) {
        return written;
    }
    return file->Place(placing);
}

}  // namespace

Expected<void, PlaceFailure> PutFile(const std::filesystem::path& target,
                                     std::span<const std::uint8_t> bytes, Placing placing,
                                     Durability durability) {
    return WriteAndPlace(PendingFile::Create(target, durability), bytes, placing);
}

Expected<void, PlaceFailure> PutNewFile(const std::filesystem::path& target,
                                        std::span<const std::uint8_t> bytes) {
    return WriteAndPlace(PendingFile::CreateUnderName(target), bytes, Placing::New);
}

Expected<void, PlaceFailure> CopyFileWhole(const std::filesystem::path& source,
                                           const std::filesystem::path& target, Placing placing) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenFile(source, "rb"), std::fclose);
    const auto unreadable = [&] {
        return Unexpected{PlaceFailure{PlaceProblem::CannotRead, target,
                                       std::error_code(errno, std::generic_category())}};
    };
    if (!in) {
        return unreadable();
    }
    auto copy = PendingFile::Create(target);
    if (!copy) {
        return Unexpected{copy.error()};
    }
    std::vector<std::uint8_t> piece(std::size_t{1} << 20);
    for (;;) {
        const std::size_t got = std::fread(piece.data(), 1, piece.size(), in.get());
        if (got == 0) {
            break;
        }
        if (auto written = copy->Write({piece.data(), got}); !written) {
            return written;
        }
    }
    if (std::ferror(in.get())) {
        return unreadable();
    }
    return copy->Place(placing);
}

void RemovePendingFilesFromSignalHandlers() noexcept {
    removedBySignals.store(true);
}

void RemovePendingFiles() noexcept {
    removingPending.store(true);
    // A file being made under its name is registered within a moment; up to a second is waited.
    for (int waited = 0; makingUnderName.load() > 0 && waited < 1000; ++waited) {
#ifdef _WIN32
        Sleep(1);
#else
        const timespec millisecond{0, 1000000};
        nanosleep(&millisecond, nullptr);
#endif
    }
    for (Slot& slot : slots) {
        if (slot.State.load() == 2) {
#ifdef _WIN32
            DeleteFileW(slot.Name.data());
#else
            unlink(slot.Name.data());
#endif
        }
    }
}

}  // namespace vrel
