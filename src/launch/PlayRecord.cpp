#include "launch/PlayRecord.h"

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "base/SyncFile.h"

#include <cerrno>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vrel {
namespace {

// The first record format wrote fields as they were; the second encodes control characters. A
// record carried on by a later Play repeats the header, from where its lines are encoded.
constexpr const char* kPlainHeader = "Vrel play record 1";
constexpr const char* kHeader = "Vrel play record 2";
// Held lines reach the file at the latest at this size, so a long clean-up holds little.
constexpr std::size_t kHeldBytes = std::size_t{64} << 10;

// Every field, the empty ones too: a name that ends in a tab must not pass for one without it.
std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

// How many fields a line of each kind has; any other count, or kind, is a damaged line.
std::size_t FieldCount(std::string_view kind) {
    if (kind == "keep") {
        return 3;
    }
    if (kind == "wrote") {
        return 4;
    }
    for (const char* single : {"game", "folder", "write", "gone", "back", "ended"}) {
        if (kind == single) {
            return 2;
        }
    }
    return 0;
}

// A whole field of digits (and a sign for a signed one), nothing else.
template <class T>
bool Number(std::string_view field, T& value) {
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && stop == end && !field.empty();
}

bool NeedsEncoding(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '%';
}

// Whether any of eight bytes needs encoding: one below 0x20, 0x7F or '%' (each test is exact about
// whether such a byte is there, which is all that is asked).
bool AnyNeedsEncoding(std::uint64_t bytes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const auto anyZero = [](std::uint64_t x) { return ((x - kOnes) & ~x & kHighs) != 0; };
    const bool anyControl = ((bytes - kOnes * 0x20) & ~bytes & kHighs) != 0;
    return anyControl || anyZero(bytes ^ (kOnes * 0x7F)) || anyZero(bytes ^ (kOnes * '%'));
}

// Appends `text` to `line` encoded; runs that need nothing go over whole, eight bytes at a time
// where they can, as the thousands of paths of a Play's record do.
void AppendEncoded(std::string& line, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t plain = 0; plain < text.size();) {
        std::size_t end = plain;
        for (std::uint64_t bytes = 0; end + 8 <= text.size(); end += 8) {
            std::memcpy(&bytes, text.data() + end, 8);
            if (AnyNeedsEncoding(bytes)) {
                break;
            }
        }
        while (end < text.size() && !NeedsEncoding(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        line.append(text, plain, end - plain);
        if (end == text.size()) {
            break;
        }
        const auto byte = static_cast<unsigned char>(text[end]);
        line += '%';
        line += kHex[byte >> 4];
        line += kHex[byte & 0xF];
        plain = end + 1;
    }
}

// A path as the record holds it: UTF-8 (see PathToDisplay), encoded. Where the system's own
// paths are UTF-8 already they go over without a copy, as the thousands of a Play's lines do.
void AppendPath(std::string& line, const std::filesystem::path& path) {
#ifdef _WIN32
    AppendEncoded(line, PathToDisplay(path));
#else
    AppendEncoded(line, path.native());
#endif
}

template <class T>
void AppendNumber(std::string& line, T value) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    line.append(digits, end);
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
    return RecordedWriteTime(std::filesystem::last_write_time(file, error));
}

std::int64_t RecordedWriteTime(std::filesystem::file_time_type time) {
    return static_cast<std::int64_t>(time.time_since_epoch().count());
}

Expected<PlayRecord, RecordFailure> PlayRecord::Start(const std::filesystem::path& programFolder,
                                                      const std::filesystem::path& gameFolder) {
    const std::filesystem::path path = programFolder / kFileName;
    const std::optional<RecordedPlay> earlier = ReadPlayRecord(programFolder);
    const bool carriedOn = earlier.has_value();
    std::error_code cut;
    if (carriedOn && std::filesystem::file_size(path, cut) != earlier->WholeBytes) {
        // A line cut off by a crash would run into this Play's first one.
        std::filesystem::resize_file(path, earlier->WholeBytes, cut);
        if (cut) {
            return Unexpected{RecordFailure{RecordProblem::CannotStart, path, cut}};
        }
    }
    std::FILE* file = OpenFile(path, carriedOn ? "ab" : "wb");
    if (file == nullptr) {
        return Unexpected{RecordFailure{RecordProblem::CannotStart, path,
                                        std::error_code(errno, std::generic_category())}};
    }
    PlayRecord record(path, file);
    record.carriesEarlier_ = carriedOn;
    record.gameFolder_ = gameFolder;
    record.whole_ = carriedOn ? earlier->WholeBytes : 0;
    // The record, and its name in the program folder, are on the disk before the first step.
    if (!record.Append(std::string(kHeader) + '\n') || !record.Game(gameFolder) || !record.Sync() ||
        SyncFolder(programFolder)) {
        RecordFailure failure{
            RecordProblem::CannotStart, path,
            record.error_ ? record.error_ : std::error_code(EIO, std::generic_category())};
        if (!carriedOn) {
            record.Remove();
        }
        return Unexpected{std::move(failure)};
    }
    return record;
}

bool PlayRecord::Line(std::string_view kind, const std::filesystem::path& first,
                      const std::filesystem::path* second, const Numbers* numbers, Reach reach) {
    if (!file_ || error_) {
        return false;
    }
    // Made among the held lines, and written from there when it must reach the file now.
    held_ += kind;
    held_ += '\t';
    AppendPath(held_, first);
    if (second != nullptr) {
        held_ += '\t';
        AppendPath(held_, *second);
    }
    if (numbers != nullptr) {
        held_ += '\t';
        AppendNumber(held_, numbers->Size);
        held_ += '\t';
        AppendNumber(held_, numbers->Time);
    }
    held_ += '\n';
    if (reach == Reach::Now || held_.size() > kHeldBytes) {
        return Append({});
    }
    return true;
}

bool PlayRecord::Append(const std::string& line) {
    // After a line that failed, nothing more is added.
    if (!file_ || error_) {
        return false;
    }
    errno = 0;
    if (std::fputs(held_.c_str(), file_.get()) < 0 || std::fputs(line.c_str(), file_.get()) < 0 ||
        std::fflush(file_.get()) != 0) {
        error_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
        // The part of the line that reached the file is cut back, once the file is closed (which
        // may yet write some of it): a later Play carrying the record on starts on a fresh line.
        file_.reset();
        std::error_code cut;
        std::filesystem::resize_file(path_, whole_, cut);
        return false;
    }
    whole_ += held_.size() + line.size();
    held_.clear();
    return true;
}

// A line for a step still to be taken is on the disk before the step: whatever of the step a power
// cut leaves, the restore knows of it. A line for a step taken may be lost with it.
Noted PlayRecord::Result(bool noted) const {
    if (noted) {
        return {};
    }
    return Unexpected{
        RecordFailure{RecordProblem::CannotNote, path_,
                      error_ ? error_ : std::error_code(EIO, std::generic_category())}};
}

Noted PlayRecord::Folder(const std::filesystem::path& folder) {
    return Result(Line("folder", folder) && Sync());
}

Noted PlayRecord::Keep(const std::filesystem::path& original, const std::filesystem::path& aside) {
    return Result(Line("keep", original, &aside) && Sync());
}

Noted PlayRecord::Write(const std::filesystem::path& file) {
    return Result(Line("write", file, nullptr, nullptr, Reach::Later));
}

Noted PlayRecord::Wrote(const std::filesystem::path& file, std::uintmax_t size, std::int64_t time) {
    const Numbers numbers{size, time};
    return Result(Line("wrote", file, nullptr, &numbers, Reach::Later));
}

Noted PlayRecord::Gone(const std::filesystem::path& file) {
    return Result(Line("gone", file, nullptr, nullptr, Reach::Later));
}

Noted PlayRecord::Back(const std::filesystem::path& original) {
    return Result(Line("back", original));
}

Noted PlayRecord::Game(const std::filesystem::path& gameFolder) {
    return Result(Line("game", gameFolder));
}

Noted PlayRecord::Ended() {
    return Result(Line("ended", gameFolder_) && Sync());
}

Noted PlayRecord::Flush() {
    return Result(held_.empty() || Append({}));
}

Noted PlayRecord::Sync() {
    if (!file_ || error_ || (!held_.empty() && !Append({}))) {
        return Result(false);
    }
    error_ = SyncFile(file_.get());
    return Result(!error_);
}

PlayRecord::~PlayRecord() {
    if (!held_.empty()) {
        Append({});
    }
}

void PlayRecord::Remove() {
    if (carriesEarlier_ && !held_.empty()) {
        Append({});  // the record stays: what this Play did is in it
    }
    held_.clear();
    file_.reset();
    if (carriesEarlier_) {
        return;
    }
    std::error_code error;
    std::filesystem::remove(path_, error);
}

std::optional<RecordedPlay> ReadPlayRecord(const std::filesystem::path& programFolder) {
    RecordedPlay play;
    play.RecordFile = programFolder / PlayRecord::kFileName;
    std::ifstream in(play.RecordFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Only lines that end in a line end are whole: one cut off by a crash or a full disk is not.
    play.WholeBytes = text.rfind('\n') + 1;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < play.WholeBytes;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    if (lines.empty() || (lines[0] != kHeader && lines[0] != kPlainHeader)) {
        return std::nullopt;
    }
    bool encoded = lines[0] == kHeader;
    std::filesystem::path gameFolder;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] == kHeader) {
            encoded = true;
            continue;
        }
        std::vector<std::string> fields = SplitTabs(lines[i]);
        // Anything unreadable is passed over.
        if (fields.size() != FieldCount(fields[0]) || fields[1].empty() ||
            (fields[0] == "keep" && fields[2].empty())) {
            continue;
        }
        if (encoded) {
            const auto first = Decode(fields[1]);
            const auto aside = fields[0] == "keep" ? Decode(fields[2]) : first;
            if (!first || !aside) {
                continue;
            }
            fields[1] = *first;
            if (fields[0] == "keep") {
                fields[2] = *aside;
            }
        }
        if (fields[0] == "game") {
            gameFolder = DisplayToPath(fields[1]);
            play.GameFolder = gameFolder;
            continue;
        }
        RecordedPlay::Step step{
            .Kind = fields[0], .GameFolder = gameFolder, .Path = DisplayToPath(fields[1])};
        if (step.Kind == "keep") {
            step.Aside = DisplayToPath(fields[2]);
        } else if (step.Kind == "wrote") {
            if (!Number(fields[2], step.Size) || !Number(fields[3], step.Time)) {
                continue;
            }
        }
        play.Steps.push_back(std::move(step));
    }
    if (play.GameFolder.empty()) {
        return std::nullopt;
    }
    return play;
}

}  // namespace vrel
