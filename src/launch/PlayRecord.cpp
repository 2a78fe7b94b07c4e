#include "launch/PlayRecord.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "base/SyncFile.h"

#include <cerrno>

#include <fstream>
#include <sstream>
#include <system_error>

namespace vrel {
namespace {

// The first record format wrote fields as they were; the second encodes control characters. A
// record carried on by a later Play repeats the header, from where its lines are encoded.
constexpr const char* kPlainHeader = "Vrel play record 1";
constexpr const char* kHeader = "Vrel play record 2";

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) {
        fields.push_back(field);
    }
    return fields;
}

bool NeedsEncoding(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '%';
}

std::string Encode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEncoding(byte)) {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::optional<std::string> Decode(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        unsigned value = 0;
        for (std::size_t k = 1; k <= 2; ++k) {
            const char digit = i + k < text.size() ? text[i + k] : '\0';
            const auto at = std::string_view("0123456789ABCDEF").find(digit);
            if (at == std::string_view::npos || digit == '\0') {
                return std::nullopt;
            }
            value = value * 16 + static_cast<unsigned>(at);
        }
        decoded += static_cast<char>(value);
        i += 2;
    }
    return decoded;
}

}  // namespace

std::int64_t RecordedWriteTime(const std::filesystem::path& file) {
    std::error_code error;
    return static_cast<std::int64_t>(
        std::filesystem::last_write_time(file, error).time_since_epoch().count());
}

Expected<PlayRecord, std::error_code> PlayRecord::Start(const std::filesystem::path& programFolder,
                                                        const std::filesystem::path& gameFolder) {
    const std::filesystem::path path = programFolder / kFileName;
    const bool carriedOn = ReadPlayRecord(programFolder).has_value();
    std::FILE* file = OpenFile(path, carriedOn ? "ab" : "wb");
    if (file == nullptr) {
        return Unexpected{std::error_code(errno, std::generic_category())};
    }
    PlayRecord record(path, file);
    record.carriesEarlier_ = carriedOn;
    errno = 0;
    if (std::fputs(kHeader, file) < 0 || std::fputc('\n', file) == EOF ||
        !record.Line("game", gameFolder)) {
        const std::error_code error =
            record.error_ ? record.error_ : std::error_code(EIO, std::generic_category());
        if (!carriedOn) {
            record.Remove();
        }
        return Unexpected{error};
    }
    return record;
}

bool PlayRecord::Line(const std::string& kind, const std::filesystem::path& first,
                      const std::string& rest) {
    // After a line that failed, the file may hold part of it: nothing more is added.
    if (!file_ || error_) {
        return false;
    }
    const std::string line =
        kind + '\t' + Encode(PathToDisplay(first)) + (rest.empty() ? "" : '\t' + rest) + '\n';
    errno = 0;
    if (std::fputs(line.c_str(), file_.get()) < 0 || std::fflush(file_.get()) != 0) {
        error_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
        return false;
    }
    return true;
}

bool PlayRecord::Folder(const std::filesystem::path& folder) {
    return Line("folder", folder);
}

bool PlayRecord::Keep(const std::filesystem::path& original, const std::filesystem::path& aside) {
    // A power loss after the move must still find where the user's file went.
    return Line("keep", original, Encode(PathToDisplay(aside))) && Sync();
}

bool PlayRecord::Write(const std::filesystem::path& file) {
    return Line("write", file);
}

bool PlayRecord::Wrote(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    return Line("wrote", file,
                std::to_string(size) + '\t' + std::to_string(RecordedWriteTime(file)));
}

bool PlayRecord::Gone(const std::filesystem::path& file) {
    return Line("gone", file);
}

bool PlayRecord::Back(const std::filesystem::path& original) {
    return Line("back", original);
}

bool PlayRecord::Sync() {
    if (!file_ || error_) {
        return false;
    }
    error_ = SyncFile(file_.get());
    return !error_;
}

void PlayRecord::Remove() {
    file_.reset();
    if (carriesEarlier_) {
        return;
    }
    std::error_code error;
    std::filesystem::remove(path_, error);
}

std::optional<RecordedPlay> ReadPlayRecord(const std::filesystem::path& programFolder) {
    RecordedPlay play;
    play.recordFile = programFolder / PlayRecord::kFileName;
    std::ifstream in(play.recordFile, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || (line != kHeader && line != kPlainHeader)) {
        return std::nullopt;
    }
    bool encoded = line == kHeader;
    std::filesystem::path gameFolder;
    while (std::getline(in, line)) {
        if (line == kHeader) {
            encoded = true;
            continue;
        }
        std::vector<std::string> fields = SplitTabs(line);
        // A line cut short by a crash, or anything else unreadable, is passed over.
        if (fields.size() < 2 || fields[1].empty()) {
            continue;
        }
        if (encoded) {
            const auto first = Decode(fields[1]);
            const auto aside =
                fields.size() == 3 ? Decode(fields[2]) : std::optional<std::string>{};
            if (!first || (fields.size() == 3 && !aside)) {
                continue;
            }
            fields[1] = *first;
            if (aside) {
                fields[2] = *aside;
            }
        }
        if (fields[0] == "game") {
            gameFolder = DisplayToPath(fields[1]);
            play.gameFolder = gameFolder;
            continue;
        }
        RecordedPlay::Step step{
            .kind = fields[0], .gameFolder = gameFolder, .path = DisplayToPath(fields[1])};
        if (step.kind == "keep") {
            if (fields.size() != 3) {
                continue;
            }
            step.aside = DisplayToPath(fields[2]);
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

}  // namespace vrel
