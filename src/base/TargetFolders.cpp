#include "base/TargetFolders.h"

#include <algorithm>
#include <span>

#include "base/AnsiText.h"
#include "base/NameCase.h"

namespace vrel {
namespace {

using std::filesystem::file_type;

// A name as the maps hold it: UTF-8 text, the same on every system.
std::string NameText(const std::filesystem::path& name) {
    return PathToDisplay(name);
}

bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& root) {
    auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

// A name as the system finds it: Windows drops the dots and spaces at the end of every name, so
// "arcaves.map." is the file arcaves.map there and must be taken for it. Empty when nothing is
// left.
std::string_view SystemName(std::string_view part) {
#ifdef _WIN32
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) {
        part.remove_suffix(1);
    }
#endif
    return part;
}

}  // namespace

bool LiesInside(const std::filesystem::path& path, const std::filesystem::path& root) {
    if (root.empty() || !path.is_absolute() || !root.is_absolute()) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path canonicalRoot = std::filesystem::weakly_canonical(root, error);
    const std::filesystem::path normal = path.lexically_normal();
    if (error || !normal.has_filename()) {
        return false;
    }
    const std::filesystem::path folder =
        std::filesystem::weakly_canonical(normal.parent_path(), error);
    return !error && IsWithin(folder, canonicalRoot) && folder / normal.filename() != canonicalRoot;
}

std::filesystem::path ResolvedPath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::weakly_canonical(path.parent_path(), error);
    return error ? path : folder / path.filename();
}

TargetFolders::TargetFolders(std::filesystem::path root, FolderHooks hooks)
    : root_(std::move(root)), hooks_(std::move(hooks)) {
    std::error_code error;
    canonicalRoot_ = std::filesystem::weakly_canonical(root_, error);
}

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
            Remember(folder, entry->path().filename(), entry->symlink_status(typeError).type());
        }
    }
    return folder;
}

void TargetFolders::Remember(Folder& folder, const std::filesystem::path& name, file_type type) {
    const std::string text = NameText(name);
    folder.ExactNames[text] = type;
    auto [it, inserted] = folder.EntriesByKey.try_emplace(FoldNameCase(text), Entry{name, type});
    // Among names differing only in case, the first in name order is the one found.
    if (!inserted && text < NameText(it->second.Name)) {
        it->second = Entry{name, type};
    }
}

const TargetFolders::Entry* TargetFolders::Lookup(const Folder& folder, const std::string& name,
                                                  Entry& exact) {
    if (auto found = folder.ExactNames.find(name); found != folder.ExactNames.end()) {
        exact = Entry{std::filesystem::path(), found->second};
        return &exact;
    }
    if (auto blind = folder.EntriesByKey.find(FoldNameCase(name));
        blind != folder.EntriesByKey.end()) {
        return &blind->second;
    }
    return nullptr;
}

bool TargetFolders::LeadsInside(const std::filesystem::path& link, file_type& type) const {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(link, error);
    if (error || canonicalRoot_.empty() || !IsWithin(target, canonicalRoot_)) {
        return false;
    }
    type = std::filesystem::status(target, error).type();
    return !error;
}

Expected<TargetFolders::TargetFile, TargetFailure> TargetFolders::PrepareFile(
    const std::vector<std::string_view>& parts) {
    for (const std::string_view part : parts) {
        if (SystemName(part).empty()) {
            // The name would stand for the folder it is in.
            return Unexpected{
                TargetFailure{{TargetProblem::CannotCreateFolder, root_ / AnsiToNativePath(part),
                               std::make_error_code(std::errc::invalid_argument)},
                              file_type::not_found}};
        }
    }
    if (parts.empty()) {
        return Unexpected{TargetFailure{{TargetProblem::CannotCreateFolder, root_,
                                         std::make_error_code(std::errc::invalid_argument)},
                                        file_type::not_found}};
    }
    const auto levels = std::span(parts).first(parts.size() - 1);
    if (lastFolder_ != nullptr &&
        std::equal(levels.begin(), levels.end(), lastLevels_.begin(), lastLevels_.end())) {
        return PrepareFileIn(*lastFolder_, parts.back());
    }
    Folder* folder = &FolderAt({}, root_, true);
    std::string key;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::filesystem::path name = AnsiToNativePath(SystemName(parts[i]));
        const std::string text = NameText(name);
        Entry exact;
        if (const Entry* found = Lookup(*folder, text, exact)) {
            const std::filesystem::path& spelt = found == &exact ? name : found->Name;
            std::string next = key + '\\' + NameText(spelt);
            if (auto known = folders_.find(next); known != folders_.end()) {
                folder = &known->second;
                key = std::move(next);
                continue;
            }
            const std::filesystem::path path = folder->Path / spelt;
            file_type type = found->Type;
            if (type == file_type::symlink && !LeadsInside(path, type)) {
                return Unexpected{
                    TargetFailure{{TargetProblem::LinkLeadsOutside, path, {}}, found->Type}};
            }
            if (type != file_type::directory) {
                return Unexpected{TargetFailure{{TargetProblem::NotAFolder, path, {}}, type}};
            }
            folder = &FolderAt(next, path, true);
            key = std::move(next);
            continue;
        }
        const std::filesystem::path path = folder->Path / name;
        if (hooks_.BeforeCreating) {
            hooks_.BeforeCreating(path);
        }
        std::error_code error;
        const bool created = std::filesystem::create_directory(path, error);
        if (error) {
            return Unexpected{TargetFailure{{TargetProblem::CannotCreateFolder, path, error},
                                            file_type::not_found}};
        }
        if (created && hooks_.Created) {
            hooks_.Created(path);
        }
        Remember(*folder, name, file_type::directory);
        key += '\\' + text;
        folder = &FolderAt(key, path, false);
    }
    lastLevels_.assign(levels.begin(), levels.end());
    lastFolder_ = folder;
    return PrepareFileIn(*folder, parts.back());
}

Expected<TargetFolders::TargetFile, TargetFailure> TargetFolders::PrepareFileIn(
    Folder& folder, std::string_view part) {
    const std::filesystem::path name = AnsiToNativePath(SystemName(part));
    const std::string text = NameText(name);
    Entry exact;
    if (const Entry* found = Lookup(folder, text, exact)) {
        const std::filesystem::path path = folder.Path / (found == &exact ? name : found->Name);
        file_type type = found->Type;
        if (type == file_type::symlink && !LeadsInside(path, type)) {
            return Unexpected{
                TargetFailure{{TargetProblem::LinkLeadsOutside, path, {}}, found->Type}};
        }
        if (type != file_type::regular) {
            return Unexpected{TargetFailure{{TargetProblem::NotAFile, path, {}}, type}};
        }
        return TargetFile{path, true};
    }
    Remember(folder, name, file_type::regular);
    return TargetFile{folder.Path / name, false};
}

std::string DescribeTargetFailure(const TargetFailure& failure, TargetReader reader) {
    const std::string path = PathToDisplay(failure.Path);
    if (reader == TargetReader::Command) {
        if (failure.Kind == TargetProblem::CannotCreateFolder) {
            return "cannot create folder " + DescribePathError(failure.Path, failure.Error);
        }
        const char* what = failure.Found == file_type::symlink ? "a symbolic link (not followed)"
                           : failure.Found == file_type::directory ? "a folder"
                           : failure.Found == file_type::regular   ? "a file"
                                                                   : "a special file";
        return std::string(what) + " is in the way: " + path;
    }
    switch (failure.Kind) {
        case TargetProblem::NotAFolder:
            return "a file stands where the folder " + path + " should be";
        case TargetProblem::NotAFile:
            return failure.Found == file_type::directory ? "a folder stands at " + path
                                                         : "a special file stands at " + path;
        case TargetProblem::LinkLeadsOutside:
            return "the symbolic link " + path + " leads outside the game folder";
        case TargetProblem::CannotCreateFolder:
            break;
    }
    return "the folder " + path + " cannot be created: " + ErrorToDisplay(failure.Error);
}

}  // namespace vrel
