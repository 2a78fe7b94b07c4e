#include "cli/TargetFolders.h"

#include <system_error>
#include <vector>

#include "archive/MemberPath.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"

namespace vrel::cli {
namespace {

using std::filesystem::file_type;

std::string NativeName(std::string_view ansiPart) {
    return AnsiToNativePath(ansiPart).string();
}

std::string InTheWay(file_type type, const std::filesystem::path& path) {
    const char* what = type == file_type::symlink     ? "a symbolic link (not followed)"
                       : type == file_type::directory ? "a folder"
                       : type == file_type::regular   ? "a file"
                                                      : "a special file";
    return std::string(what) + " is in the way: " + path.string();
}

}  // namespace

TargetFolders::TargetFolders(std::filesystem::path root) : root_(std::move(root)) {}

TargetFolders::Folder& TargetFolders::FolderAt(const std::string& key,
                                               const std::filesystem::path& path, bool list) {
    auto [it, inserted] = folders_.try_emplace(key);
    Folder& folder = it->second;
    if (inserted) {
        folder.Path = path;
        std::error_code error;
        for (std::filesystem::directory_iterator entry(path, error), end;
             list && !error && entry != end; entry.increment(error)) {
            std::error_code typeError;
            Remember(folder, entry->path().filename().string(),
                     entry->symlink_status(typeError).type());
        }
    }
    return folder;
}

void TargetFolders::Remember(Folder& folder, const std::string& name, file_type type) {
    folder.ExactNames[name] = type;
    auto [it, inserted] = folder.EntriesByKey.try_emplace(AsciiToLower(name), Entry{name, type});
    // Among names differing only in case, the first in name order is the one found.
    if (!inserted && name < it->second.Name) {
        it->second = Entry{name, type};
    }
}

std::optional<TargetFolders::Entry> TargetFolders::Lookup(const Folder& folder,
                                                          const std::string& name) {
    if (auto exact = folder.ExactNames.find(name); exact != folder.ExactNames.end()) {
        return Entry{name, exact->second};
    }
    if (auto blind = folder.EntriesByKey.find(AsciiToLower(name));
        blind != folder.EntriesByKey.end()) {
        return blind->second;
    }
    return std::nullopt;
}

Expected<TargetFolders::TargetFile, std::string> TargetFolders::PrepareFile(
    std::string_view memberName) {
    const std::vector<std::string_view> parts = MemberPathParts(memberName);
    Folder* folder = &FolderAt({}, root_, true);
    std::string key;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string name = NativeName(parts[i]);
        key += '\\';
        key += AsciiToLower(name);
        if (auto known = folders_.find(key); known != folders_.end()) {
            folder = &known->second;
            continue;
        }
        if (const std::optional<Entry> found = Lookup(*folder, name)) {
            const std::filesystem::path path = folder->Path / found->Name;
            if (found->Type != file_type::directory) {
                return Unexpected{InTheWay(found->Type, path)};
            }
            folder = &FolderAt(key, path, true);
            continue;
        }
        const std::filesystem::path path = folder->Path / name;
        std::error_code error;
        std::filesystem::create_directory(path, error);
        if (error) {
            return Unexpected{"cannot create folder " + path.string() + ": " + error.message()};
        }
        Remember(*folder, name, file_type::directory);
        folder = &FolderAt(key, path, false);
    }

    const std::string name = NativeName(parts.back());
    if (const std::optional<Entry> found = Lookup(*folder, name)) {
        const std::filesystem::path path = folder->Path / found->Name;
        if (found->Type != file_type::regular) {
            return Unexpected{InTheWay(found->Type, path)};
        }
        return TargetFile{path, true};
    }
    Remember(*folder, name, file_type::regular);
    return TargetFile{folder->Path / name, false};
}

}  // namespace vrel::cli
