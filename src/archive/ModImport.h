#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/ModSource.h"
#include "base/Expected.h"

namespace vrel {

// Where a file that is not put into the archive belongs.
enum class LeftOutKind {
    GameFolder,  // settings, libraries and programs that go beside Fallout2.exe
    ReadMe,      // text for the player to read
    Other,       // anything else outside the game's data folders
};

struct LeftOutFile {
    std::string Path;  // as in the source: UTF-8, '/' between levels
    LeftOutKind Kind = LeftOutKind::Other;
};

struct ImportReport {
    std::int32_t Members = 0;  // including a description made from a read-me
    std::vector<LeftOutFile> LeftOut;
    std::optional<std::string> DescriptionFrom;  // the source file that became the description
};

struct ImportOptions {
    std::string ModName;  // for the read-me; the target's name when empty
    bool Replace = false;
    std::optional<int> Threads;  // members packed at once; the cores when not given
    // Called before the first member and after each one: done, total.
    std::function<void(std::int64_t, std::int64_t)> Progress;
    // Called while a large file is packed: the bytes read so far, and its size (-1 when the
    // source does not say).
    std::function<void(std::int64_t, std::int64_t)> WithinFile;
};

// Imports a folder, .zip or .7z as the DAT archive `target`, written to a temporary name beside
// it and put in place only when whole; nothing is written when anything is refused or damaged.
Expected<ImportReport, ImportError> ImportMod(const std::filesystem::path& source,
                                              const std::filesystem::path& target,
                                              const ImportOptions& options = {});

std::string DescribeLeftOut(LeftOutKind kind);

// The archive's file name for a source: `name` when given, else the source's own name without
// its .zip or .7z; ".dat" is added unless the name ends in it (any case).
std::filesystem::path ImportArchiveName(const std::filesystem::path& source,
                                        const std::string& name = {});

}  // namespace vrel
