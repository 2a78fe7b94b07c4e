#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

// A record, in the program folder, of what a Play is doing to the game folder. Each step is written
// (and flushed) before it is taken, so that a start after a crash, a kill or a power loss can put
// the game folder back. The clean-up removes the record last. Paths are kept as UTF-8 on every
// system, so folders of any name are read back as they were; a control character in a field is
// written as %XX (and '%' as %25), so no name can end a field or a line.
// What kept the record from being written: its start, or the line of a step.
enum class RecordProblem { CannotStart, CannotNote };
using RecordFailure = Failure<RecordProblem>;
// A step's line reached the record, or why not.
using Noted = Expected<void, RecordFailure>;

class PlayRecord {
public:
    static constexpr const char* kFileName = "vrel-play.record";

    // Starts the record for a Play into `gameFolder`. A record of an unfinished Play that is
    // already there is carried on, never cut: its steps stay for a restore to settle. Gives the
    // error when the record cannot be written.
    static Expected<PlayRecord, RecordFailure> Start(const std::filesystem::path& programFolder,
                                                     const std::filesystem::path& gameFolder);
    // Held lines reach the file before it closes.
    ~PlayRecord();
    PlayRecord(PlayRecord&&) = default;
    PlayRecord& operator=(PlayRecord&&) = default;

    // Each fails when the line did not reach the file (the program folder full or gone);
    // the step must not be taken then. The lines for single files (write, wrote, gone) are held
    // and reach the file with the next line that must, or with Sync, so that the thousands of
    // files of a Play cost no system call each: a writer syncs a batch of write lines before it
    // writes any of their files; a wrote or gone line lost with a crash is settled by the restore
    // (a file without its wrote line is taken for one of ours cut short, a file gone is only
    // removed again).
    Noted Folder(const std::filesystem::path& folder);  // about to create it
    // About to move the user's file aside: this line is on the disk before the move.
    Noted Keep(const std::filesystem::path& original, const std::filesystem::path& aside);
    Noted Write(const std::filesystem::path& file);  // about to write it
    // Written whole, with its size and time (see RecordedWriteTime) as it was written.
    Noted Wrote(const std::filesystem::path& file, std::uintmax_t size, std::int64_t time);
    Noted Gone(const std::filesystem::path& file);      // deleted by the clean-up
    Noted Back(const std::filesystem::path& original);  // the user's file is back in place
    // The steps that follow are in this game folder (a restore notes what it did in each).
    Noted Game(const std::filesystem::path& gameFolder);
    // The clean-up ran to its end but left something for the restore.
    Noted Ended();

    // The held lines reach the file: before a step that a restore reads right only knowing them
    // (a player's file put back where a file of ours was just removed).
    Noted Flush();
    // Makes what was recorded survive a power loss (flushing alone survives a crash).
    Noted Sync();
    // The clean-up has finished: the record goes, unless it carries steps of an earlier Play that
    // were left unsettled, which wait for the restore at the next start.
    void Remove();

    const std::filesystem::path& Path() const { return path_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    PlayRecord(std::filesystem::path path, std::FILE* file) : path_(std::move(path)), file_(file) {}
    enum class Reach { Now, Later };
    struct Numbers {
        std::uintmax_t Size = 0;
        std::int64_t Time = 0;
    };
    // A line of the kind, its path, and the second path or the numbers of those kinds that
    // have them.
    bool Line(std::string_view kind, const std::filesystem::path& first,
              const std::filesystem::path* second = nullptr, const Numbers* numbers = nullptr,
              Reach reach = Reach::Now);
    bool Append(const std::string& line);
    // The step's result from whether its line got through.
    Noted Result(bool noted) const;

    std::filesystem::path path_;
    std::filesystem::path gameFolder_;
    std::unique_ptr<std::FILE, Closer> file_;
    std::error_code error_;
    std::uintmax_t whole_ = 0;  // the bytes of its whole lines: a failed line is cut back to them
    std::string held_;          // lines that reach the file with the next one that must
    bool carriesEarlier_ = false;
};

// What a record left behind by an unfinished Play says, step by step.
struct RecordedPlay {
    std::filesystem::path RecordFile;
    std::filesystem::path GameFolder;
    struct Step {
        std::string Kind;                  // folder, keep, write, wrote, gone, back, ended
        std::filesystem::path GameFolder;  // of the Play that took the step
        std::filesystem::path Path;
        std::filesystem::path Aside;  // keep
        std::uintmax_t Size = 0;      // wrote
        std::int64_t Time = 0;        // wrote
    };
    std::vector<Step> Steps;
    std::uintmax_t WholeBytes = 0;  // the record up to its last whole line
};

// The record of an unfinished Play in the program folder, if there is one.
std::optional<RecordedPlay> ReadPlayRecord(const std::filesystem::path& programFolder);

// A file's last write time as the record notes it.
std::int64_t RecordedWriteTime(const std::filesystem::path& file);
std::int64_t RecordedWriteTime(std::filesystem::file_time_type time);

}  // namespace vrel
