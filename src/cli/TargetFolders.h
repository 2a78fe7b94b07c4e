#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/Expected.h"

namespace vrel::cli {

// Where the members of an archive go under a target folder. Existing folders and files are
// matched case-blind, as the game's own platform finds them; new ones get the member's case.
// Each folder is listed once, however many members land in it. Symbolic links inside the target
// are never followed, so nothing is written outside it.
class TargetFolders {
public:
    explicit TargetFolders(std::filesystem::path root);

    struct TargetFile {
        std::filesystem::path Path;
        bool Existed = false;
    };

    // The file a member (a name that CheckMemberName accepts) is to be written to, with its
    // folders created; a failure is its reason.
    Expected<TargetFile, std::string> PrepareFile(std::string_view memberName);

private:
    struct Entry {
        std::string Name;  // the real spelling
        std::filesystem::file_type Type = std::filesystem::file_type::none;
    };
    struct Folder {
        std::filesystem::path Path;
        std::unordered_map<std::string, Entry> EntriesByKey;  // ASCII lower-cased names
        std::unordered_map<std::string, std::filesystem::file_type> ExactNames;
    };

    Folder& FolderAt(const std::string& key, const std::filesystem::path& path, bool list);
    static void Remember(Folder& folder, const std::string& name, std::filesystem::file_type type);
    static std::optional<Entry> Lookup(const Folder& folder, const std::string& name);

    std::filesystem::path root_;
    std::unordered_map<std::string, Folder> folders_;  // by lower-cased path from the root
};

}  // namespace vrel::cli
