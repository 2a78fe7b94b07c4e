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
    GameFolder,     // settings, libraries and programs (sfall.dat too) that go beside Fallout2.exe
    GameProgram,    // Fallout2.exe itself
    ConfigFolder,   // settings in a config folder, which goes into the game folder as it is
    Appearance,     // a .dat in an appearance folder, from which sfall takes the hero's looks
    ReadMe,         // text for the player to read
    Other,          // anything else outside the game's data folders
    GameArchive,    // the game's own patch000.dat, master.dat or critter.dat: not a mod
    SfallMod,       // a file in sfall's mods folder, which sfall itself loads from the game folder
    ModArchive,     // a mod's .dat beside a data folder: a mod of its own
    PackedArchive,  // a .zip, .7z or .rar inside the source
    BesideData,     // one of the game's folders beside the data folder, of which only data is taken
};

struct LeftOutFile {
    std::string Path;  // as in the source: UTF-8, '/' between levels
    LeftOutKind Kind = LeftOutKind::Other;
};

// A mod that came as a .dat inside the source, copied into Patches under its own name.
struct CopiedDat {
    std::filesystem::path Path;
    std::int32_t Members = 0;
};

struct ImportReport {
    std::int32_t Members = 0;  // including a description made from a read-me
    // The archive written, as Patches spells it (a replaced one keeps its letter case).
    std::filesystem::path Archive;
    // When the source's mods are .dat files: those copied, and the target is not written.
    std::vector<CopiedDat> Copied;
    std::vector<LeftOutFile> LeftOut;
    std::optional<std::string> DescriptionFrom;  // the source file that became the description
};

struct ImportOptions {
    std::string ModName;  // for the read-me; the target's name when empty
    bool Replace = false;
    // Asked, when set, instead of Replace for each archive already there (the path as it is
    // spelled there): whether to replace it.
    std::function<bool(const std::filesystem::path&)> MayReplace;
    std::optional<int> Threads;  // members packed at once; the cores when not given
    // Called before the first member and after each one: done, total.
    std::function<void(std::int64_t, std::int64_t)> Progress;
    // Called while a large file is packed: the bytes read so far, and its size (-1 when the
    // source does not say).
    std::function<void(std::int64_t, std::int64_t)> WithinFile;
};

// Imports a folder, .zip or .7z as the DAT archive `target`, written to a temporary name beside
// it and put in place only when whole; nothing is written when anything is refused or damaged.
// A source whose mods are .dat files (at the top or in one wrapping folder) has each checked and
// copied beside `target` under its own name instead.
Expected<ImportReport, ImportFailure> ImportMod(const std::filesystem::path& source,
                                                const std::filesystem::path& target,
                                                const ImportOptions& options = {});

std::string DescribeLeftOut(LeftOutKind kind);

// The archive's file name for a source: `name` when given, else the source's own name without
// its .zip or .7z; ".dat" is added unless the name ends in it (any case).
std::filesystem::path ImportArchiveName(const std::filesystem::path& source,
                                        const std::string& name = {});

}  // namespace vrel
