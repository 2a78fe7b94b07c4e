#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vrel {

// A record, in the program folder, of what a Play is doing to the game folder. Each step is written
// (and flushed) before it is taken, so that a start after a crash, a kill or a power loss can put
// the game folder back. The clean-up removes the record last. Paths are kept as UTF-8 on every
// system, so folders of any name are read back as they were.
class PlayRecord {
public:
    static constexpr const char* kFileName = "vrel-play.record";

    // Starts the record for a Play into `gameFolder`; nothing when it cannot be written.
    static std::optional<PlayRecord> Start(const std::filesystem::path& programFolder,
                                           const std::filesystem::path& gameFolder);

    void Folder(const std::filesystem::path& folder);  // about to create it
    void Keep(const std::filesystem::path& original,
              const std::filesystem::path& aside);     // about to move
    void Write(const std::filesystem::path& file);     // about to write it
    void Wrote(const std::filesystem::path& file);     // written whole: its size and time
    void Gone(const std::filesystem::path& file);      // deleted by the clean-up
    void Back(const std::filesystem::path& original);  // the user's file is back in place

    // Makes what was recorded survive a power loss (flushing alone survives a crash).
    void Sync();
    // The clean-up has finished: the record goes.
    void Remove();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    PlayRecord(std::filesystem::path path, std::FILE* file) : path_(std::move(path)), file_(file) {}
    void Line(const std::string& kind, const std::filesystem::path& first,
              const std::string& rest = {});

    std::filesystem::path path_;
    std::unique_ptr<std::FILE, Closer> file_;
};

// What a record left behind by an unfinished Play says, step by step.
struct RecordedPlay {
    std::filesystem::path recordFile;
    std::filesystem::path gameFolder;
    struct Step {
        std::string kind;  // folder, keep, write, wrote, gone, back
        std::filesystem::path path;
        std::filesystem::path aside;  // keep
        std::uintmax_t size = 0;      // wrote
        std::int64_t time = 0;        // wrote
    };
    std::vector<Step> steps;
};

// The record of an unfinished Play in the program folder, if there is one.
std::optional<RecordedPlay> ReadPlayRecord(const std::filesystem::path& programFolder);

struct RestoreOutcome {
    std::vector<std::filesystem::path>
        changedKept;  // changed since they were unpacked: left in place
    std::vector<std::filesystem::path>
        placedBeside;  // the user's file, put back beside a changed one
    std::vector<std::filesystem::path> notRestored;  // could not be put back; the record stays
};

// Puts the game folder back as it was before the recorded Play: removes the files it wrote that
// are still as written, keeps those changed since, puts the user's files back, removes the folders
// it created once empty, and finally the record itself (unless something could not be put back).
RestoreOutcome RestoreGameFolder(const RecordedPlay& play);

}  // namespace vrel
