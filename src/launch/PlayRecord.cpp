#include "launch/PlayRecord.h"

#include "base/FileAttributes.h"
#include "launch/CleanUp.h"

#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vrel {
namespace {

constexpr const char* kHeader = "Vrel play record 1";

std::int64_t WriteTime(const std::filesystem::path& file) {
    std::error_code error;
    return static_cast<std::int64_t>(
        std::filesystem::last_write_time(file, error).time_since_epoch().count());
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) {
        fields.push_back(field);
    }
    return fields;
}

}  // namespace

std::optional<PlayRecord> PlayRecord::Start(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& gameFolder) {
    const std::filesystem::path path = programFolder / kFileName;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return std::nullopt;
    }
    PlayRecord record(path, file);
    std::fputs(kHeader, file);
    std::fputc('\n', file);
    record.Line("game", gameFolder);
    return record;
}

void PlayRecord::Line(const std::string& kind, const std::filesystem::path& first,
                      const std::string& rest) {
    if (!file_) {
        return;
    }
    const std::string line =
        kind + '\t' + first.string() + (rest.empty() ? "" : '\t' + rest) + '\n';
    std::fputs(line.c_str(), file_.get());
    std::fflush(file_.get());
}

void PlayRecord::Folder(const std::filesystem::path& folder) {
    Line("folder", folder);
}

void PlayRecord::Keep(const std::filesystem::path& original, const std::filesystem::path& aside) {
    Line("keep", original, aside.string());
}

void PlayRecord::Write(const std::filesystem::path& file) {
    Line("write", file);
}

void PlayRecord::Wrote(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    Line("wrote", file, std::to_string(size) + '\t' + std::to_string(WriteTime(file)));
}

void PlayRecord::Gone(const std::filesystem::path& file) {
    Line("gone", file);
}

void PlayRecord::Back(const std::filesystem::path& original) {
    Line("back", original);
}

void PlayRecord::Sync() {
    if (!file_) {
        return;
    }
    std::fflush(file_.get());
#ifdef _WIN32
    _commit(_fileno(file_.get()));
#else
    fsync(fileno(file_.get()));
#endif
}

void PlayRecord::Remove() {
    file_.reset();
    std::error_code error;
    std::filesystem::remove(path_, error);
}

std::optional<RecordedPlay> ReadPlayRecord(const std::filesystem::path& programFolder) {
    RecordedPlay play;
    play.recordFile = programFolder / PlayRecord::kFileName;
    std::ifstream in(play.recordFile, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kHeader) {
        return std::nullopt;
    }
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitTabs(line);
        // A line cut short by a crash, or anything else unreadable, is passed over.
        if (fields.size() < 2 || fields[1].empty()) {
            continue;
        }
        if (fields[0] == "game") {
            play.gameFolder = fields[1];
            continue;
        }
        RecordedPlay::Step step{.kind = fields[0], .path = fields[1]};
        if (step.kind == "keep") {
            if (fields.size() != 3) {
                continue;
            }
            step.aside = fields[2];
        } else if (step.kind == "wrote") {
            if (fields.size() != 4) {
                continue;
            }
            try {
                step.size = std::stoull(fields[2]);
                step.time = std::stoll(fields[3]);
            } catch (const std::exception&) {
                continue;
            }
        }
        play.steps.push_back(std::move(step));
    }
    if (play.gameFolder.empty()) {
        return std::nullopt;
    }
    return play;
}

RestoreOutcome RestoreGameFolder(const RecordedPlay& play) {
    struct FileState {
        bool whole = false;
        bool gone = false;
        std::uintmax_t size = 0;
        std::int64_t time = 0;
    };
    struct Kept {
        std::filesystem::path original, aside;
        bool back = false;
    };
    std::map<std::filesystem::path, FileState> files;
    std::vector<std::filesystem::path> fileOrder;
    std::vector<Kept> kept;
    std::vector<std::filesystem::path> folders;
    for (const RecordedPlay::Step& step : play.steps) {
        if (step.kind == "write" || step.kind == "wrote" || step.kind == "gone") {
            if (!files.contains(step.path)) {
                fileOrder.push_back(step.path);
            }
            FileState& state = files[step.path];
            state = FileState{.whole = step.kind == "wrote",
                              .gone = step.kind == "gone",
                              .size = step.size,
                              .time = step.time};
        } else if (step.kind == "keep") {
            kept.push_back({step.path, step.aside});
        } else if (step.kind == "back") {
            for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
                if (it->original == step.path && !it->back) {
                    it->back = true;
                    break;
                }
            }
            files[step.path].gone = true;
        } else if (step.kind == "folder") {
            folders.push_back(step.path);
        }
    }

    RestoreOutcome outcome;
    std::error_code error;
    for (const std::filesystem::path& file : fileOrder) {
        const FileState& state = files[file];
        if (state.gone ||
            !std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error))) {
            continue;
        }
        // A file cut off while being written is ours; a whole one is ours only while unchanged.
        if (!state.whole || (std::filesystem::file_size(file, error) == state.size &&
                             WriteTime(file) == state.time)) {
            RemoveEvenIfReadOnly(file);
        } else {
            outcome.changedKept.push_back(file);
        }
    }
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        if (it->back ||
            !std::filesystem::exists(std::filesystem::symlink_status(it->aside, error))) {
            continue;
        }
        std::filesystem::path target = it->original;
        if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
            // A changed file holds the place: the user's own goes right beside it.
            target += ".before-vrel";
            outcome.placedBeside.push_back(target);
        }
        std::filesystem::rename(it->aside, target, error);
        if (error) {
            outcome.notRestored.push_back(it->original);
        }
    }
    RemoveEmptiedFolders(folders);
    if (outcome.notRestored.empty()) {
        std::filesystem::remove(play.recordFile, error);
    }
    return outcome;
}

}  // namespace vrel
