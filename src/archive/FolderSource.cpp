#include <cstdio>
#include <memory>
#include <system_error>

#include "archive/ModSource.h"
#include "base/AnsiText.h"
#include "base/ListedEntry.h"
#include "base/PathHelpers.h"

namespace vrel {
namespace {

class FileContent final : public SourceContent {
public:
    explicit FileContent(const std::filesystem::path& path)
        : path_(path), file_(OpenFile(path, "rb"), std::fclose) {}
    bool Opened() const { return file_ != nullptr; }
    ImportFailure Unreadable() const {
        return ImportFailure{
            ImportProblem::CannotOpen, PathToDisplay(path_) + ": cannot be read whole", {}};
    }

    Expected<std::size_t, ImportFailure> Read(std::span<std::uint8_t> buffer) override {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file_.get());
        if (got == 0 && std::ferror(file_.get())) {
            return Unexpected{Unreadable()};
        }
        return got;
    }

private:
    const std::filesystem::path& path_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
};

class FolderSource final : public ModSource {
public:
    explicit FolderSource(std::filesystem::path folder) : folder_(std::move(folder)) {}

    Expected<std::vector<SourceFile>, ImportFailure> List() override {
        std::vector<SourceFile> files;
        paths_.clear();
        folders_.clear();
        // A name holding a drive is listed as it is, for the import to refuse.
        const std::error_code error = WalkFolder(
            folder_, [&](const WalkedEntry& entry, const std::filesystem::directory_entry&) {
                std::error_code statusError;
                const auto status = std::filesystem::symlink_status(entry.Path, statusError);
                const std::u8string path = entry.Relative.generic_u8string();
                if (std::filesystem::is_directory(status) && !entry.NameHoldsDrive) {
                    folders_.emplace_back(path.begin(), path.end());
                    return;
                }
                SourceFile file;
                file.Path.assign(path.begin(), path.end());
                file.Regular = std::filesystem::is_regular_file(status);
                if (file.Regular) {
                    file.Size = static_cast<std::int64_t>(
                        std::filesystem::file_size(entry.Path, statusError));
                }
                files.push_back(std::move(file));
                paths_.push_back(entry.Path);
            });
        if (error) {
            return Unexpected{ImportFailure{ImportProblem::CannotOpen, ErrorToDisplay(error), {}}};
        }
        return files;
    }

    Expected<void, ImportFailure> Read(const std::vector<bool>& wanted,
                                       const TakeContent& take) override {
        for (std::size_t i = 0; i < paths_.size() && i < wanted.size(); ++i) {
            if (!wanted[i]) {
                continue;
            }
            FileContent content(paths_[i]);
            if (!content.Opened()) {
                return Unexpected{content.Unreadable()};
            }
            if (auto taken = take(i, content); !taken) {
                return taken;
            }
        }
        return {};
    }

private:
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> paths_;
};

// A .dat given by itself: a source that holds it alone, at its top, as a download would.
class OneFileSource final : public ModSource {
public:
    explicit OneFileSource(std::filesystem::path file) : file_(std::move(file)) {}

    Expected<std::vector<SourceFile>, ImportFailure> List() override {
        std::error_code error;
        const auto size = std::filesystem::file_size(file_, error);
        if (error) {
            return Unexpected{ImportFailure{ImportProblem::CannotOpen, ErrorToDisplay(error), {}}};
        }
        return std::vector<SourceFile>{
            {.Path = PathToDisplay(file_.filename()), .Size = static_cast<std::int64_t>(size)}};
    }

    Expected<void, ImportFailure> Read(const std::vector<bool>& wanted,
                                       const TakeContent& take) override {
        if (wanted.empty() || !wanted[0]) {
            return {};
        }
        FileContent content(file_);
        if (!content.Opened()) {
            return Unexpected{content.Unreadable()};
        }
        return take(0, content);
    }

private:
    std::filesystem::path file_;
};

}  // namespace

std::unique_ptr<ModSource> OpenOneFileSource(const std::filesystem::path& file) {
    return std::make_unique<OneFileSource>(file);
}

std::unique_ptr<ModSource> OpenFolderSource(const std::filesystem::path& folder) {
    return std::make_unique<FolderSource>(folder);
}

}  // namespace vrel
