#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

// Why a file cannot be placed under the target folder.
enum class TargetProblem {
    NotAFolder,          // something other than a folder stands where a folder is needed
    NotAFile,            // a folder or a special file stands where the file goes
    LinkLeadsOutside,    // a symbolic link that leads out of the target folder (never followed)
    CannotCreateFolder,  // the file system refused a new folder
};

// `Path` is the entry in the way, or the folder that could not be made.
struct TargetFailure : Failure<TargetProblem> {
    std::filesystem::file_type Found = std::filesystem::file_type::none;  // what stands at Path
};

// Whether `path` lies inside `root` (and is not `root` itself) once the links on the way to it are
// followed; the last part of `path` is not. The one rule for what lies inside the game folder:
// Play writes through a link only where it holds, and the restore touches only what it holds for.
bool LiesInside(const std::filesystem::path& path, const std::filesystem::path& root);

// The path with the links on the way to it followed (the last part is not): one name for a file
// however it was reached, as data/maps/x.map through a link data -> Data is Data/maps/x.map.
std::filesystem::path ResolvedPath(const std::filesystem::path& path);

// Who reads a TargetFailure: the player, after Play, in whole sentences about the game folder;
// or the user of `vrel-dat extract`, in a command's short words.
enum class TargetReader { Player, Command };
std::string DescribeTargetFailure(const TargetFailure& failure, TargetReader reader);

// Where files go under a target folder (the game folder for Play, the folder of vrel-dat extract).
// Existing folders and files are matched case-blind, as the game's own platform finds them: the
// exact spelling first, otherwise the first in name order; new ones get the given case. Nothing
// is ever written through a symbolic link that leads out of the target folder. Each folder is
// listed once, however many files land in it.
class TargetFolders {
public:
    // Told of each folder before it is created and once it exists.
    struct FolderHooks {
        std::function<void(const std::filesystem::path&)> BeforeCreating;
        std::function<void(const std::filesystem::path&)> Created;
    };

    explicit TargetFolders(std::filesystem::path root, FolderHooks hooks = {});

    struct TargetFile {
        std::filesystem::path Path;
        bool Existed = false;  // something (a file, or a link inside the folder) is there already
    };

    // The file for a relative path given as its folder levels and file name (8-bit text in the
    // ANSI code page, each part a plain name), with the folders created.
    Expected<TargetFile, TargetFailure> PrepareFile(const std::vector<std::string_view>& parts);

private:
    struct Entry {
        std::filesystem::path Name;  // the real spelling
        std::filesystem::file_type Type = std::filesystem::file_type::none;
    };
    struct Folder {
        std::filesystem::path Path;
        std::unordered_map<std::string, Entry> EntriesByKey;  // by FoldNameCase of the name
        std::unordered_map<std::string, std::filesystem::file_type> ExactNames;
    };

    Folder& FolderAt(const std::string& key, const std::filesystem::path& path, bool list);
    Expected<TargetFile, TargetFailure> PrepareFileIn(Folder& folder, std::string_view part);
    static void Remember(Folder& folder, const std::filesystem::path& name,
                         std::filesystem::file_type type);
    static const Entry* Lookup(const Folder& folder, const std::string& name, Entry& exact);
    bool LeadsInside(const std::filesystem::path& link, std::filesystem::file_type& type) const;

    std::filesystem::path root_;
    std::filesystem::path canonicalRoot_;
    FolderHooks hooks_;
    std::unordered_map<std::string, Folder> folders_;  // by the path from the root as spelt
    // The folder levels of the last file and the folder they led to: the files of one folder
    // mostly come one after another. A level once found is found the same way again, since the
    // only names added to a folder are ones found there in no letter case.
    std::vector<std::string> lastLevels_;
    Folder* lastFolder_ = nullptr;
};

}  // namespace vrel
