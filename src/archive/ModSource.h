#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Expected.h"

namespace vrel {

// Why a mod could not be imported.
enum class ImportProblem {
    UnknownKind,      // neither a folder nor a .zip or .7z file
    NotAvailable,     // a .zip or .7z, and this build cannot read them
    CannotOpen,       // the source cannot be opened or read
    DamagedSource,    // the .zip or .7z is damaged; reading stopped
    NothingToImport,  // no data folder and none of the game's own data folders
    EmptyDataFolder,  // a data folder that holds no files (Detail: the folder)
    SeveralMods,      // data folders of more than one mod, such as two languages (Detail: them)
    DamagedMod,       // a .dat inside the source is damaged (Detail: which and how)
    RefusedNames,     // names that are unsafe or that an archive cannot hold (see Refusals)
    AlreadyThere,     // an archive of that name is there and was not to be replaced (Detail:
                      // its path, when it is not the target)
    CannotWrite,      // the archive could not be written or put in place
    TooLarge,         // larger than the format allows
    OutOfMemory,      // a file could not be packed for want of memory (Detail names it)
};

struct ImportFailure {
    ImportProblem Kind = ImportProblem::CannotOpen;
    std::string Detail;                 // display text: the source's own words, when it has some
    std::vector<std::string> Refusals;  // for RefusedNames: "<path>: <why>", display text
};

std::string DescribeImportFailure(const ImportFailure& error);

// One file of a mod's source, as listed before anything is read.
struct SourceFile {
    std::string Path;        // UTF-8, '/' between levels, relative to the top of the source
    std::int64_t Size = -1;  // -1 when the source does not say
    bool Regular = true;     // links and devices are listed, never read
    bool Encrypted = false;  // its content needs a password
};

// One file's content as it is read, piece by piece: Read fills the buffer it is given from the
// start and says how many bytes it put there, 0 at the end.
class SourceContent {
public:
    virtual ~SourceContent() = default;
    virtual Expected<std::size_t, ImportFailure> Read(std::span<std::uint8_t> buffer) = 0;
};

using TakeContent =
    std::function<Expected<void, ImportFailure>(std::size_t index, SourceContent& content)>;

// A folder, .zip or .7z holding a mod's loose files. It is listed once and then read once, in
// listing order and never unpacked to disk; each file is handed over as it is read, so the
// reader decides how much of it is held.
class ModSource {
public:
    virtual ~ModSource() = default;
    virtual Expected<std::vector<SourceFile>, ImportFailure> List() = 0;
    // The folders that List met (UTF-8, '/' between levels), empty ones too.
    const std::vector<std::string>& Folders() const { return folders_; }
    // Hands the content of every listed file whose index is marked in `wanted` to `take`, in
    // listing order; stops at the first failure, of reading or of `take`.
    virtual Expected<void, ImportFailure> Read(const std::vector<bool>& wanted,
                                               const TakeContent& take) = 0;

protected:
    std::vector<std::string> folders_;
};

Expected<std::unique_ptr<ModSource>, ImportFailure> OpenModSource(
    const std::filesystem::path& path);

// Whether this build reads .zip and .7z files.
bool PackedSourcesAvailable();

// Whether a file of this lower-case extension (".rar") is a packed kind that no build reads: the
// player unpacks it and adds the folder.
bool IsPackedKindNeverRead(const std::string& extension);

std::unique_ptr<ModSource> OpenFolderSource(const std::filesystem::path& folder);
std::unique_ptr<ModSource> OpenOneFileSource(const std::filesystem::path& file);
std::unique_ptr<ModSource> OpenPackedSource(const std::filesystem::path& file);

}  // namespace vrel
