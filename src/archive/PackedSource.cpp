#include "archive/ModSource.h"

#ifdef VREL_HAVE_LIBARCHIVE
#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#endif

#include "base/AnsiText.h"
#include "base/Utf8.h"

namespace vrel {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 16;

struct ReaderCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ReaderCloser>;

ImportFailure Damaged(archive* reader) {
    const char* text = archive_error_string(reader);
    return ImportFailure{ImportProblem::DamagedSource, text ? text : "unknown error", {}};
}

// The current entry's content, as libarchive unpacks it.
class EntryContent final : public SourceContent {
public:
    explicit EntryContent(archive* reader) : reader_(reader) {}

    Expected<std::size_t, ImportFailure> Read(std::span<std::uint8_t> buffer) override {
        const la_ssize_t got = archive_read_data(reader_, buffer.data(), buffer.size());
        if (got < 0) {
            return Unexpected{Damaged(reader_)};
        }
        return static_cast<std::size_t>(got);
    }

private:
    archive* reader_;
};

#ifndef _WIN32
// libarchive hands names over in the thread's locale: in the C locale a name marked as UTF-8 and
// every 7z name outside ASCII comes back empty. Under a UTF-8 locale those arrive as UTF-8 and
// unmarked zip names as the bytes the archive holds, for EntryNameToUtf8 to decode.
class Utf8NamesScope {
public:
    Utf8NamesScope() {
        static const locale_t utf8 = [] {
            for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
                if (locale_t found = newlocale(LC_CTYPE_MASK, name, locale_t{})) {
                    return found;
                }
            }
            return locale_t{};
        }();
        if (utf8) {
            previous_ = uselocale(utf8);
        }
    }
    ~Utf8NamesScope() {
        if (previous_) {
            uselocale(previous_);
        }
    }
    Utf8NamesScope(const Utf8NamesScope&) = delete;
    Utf8NamesScope& operator=(const Utf8NamesScope&) = delete;

private:
    locale_t previous_{};
};
// An entry's name as UTF-8: names marked as UTF-8 (and every 7z name) arrive so; an unmarked name
// that is valid UTF-8 was written so by its tool; any other is in the code page of the system's
// zip tools.
std::string EntryNameToUtf8(archive_entry* entry) {
    const char* raw = archive_entry_pathname(entry);
    const std::string_view bytes = raw ? raw : "";
    return IsUtf8(bytes) ? std::string(bytes) : OemToUtf8(bytes);
}
#else
// Windows programs keep the C locale, which cannot hand over as bytes the names that libarchive
// holds as UTF-16 (names marked as UTF-8, every 7z name). So every name is taken as UTF-16: the
// unmarked ones decoded by libarchive from the OEM code page, as the system's own zip tools wrote
// them (see Open).
struct Utf8NamesScope {};

std::string EntryNameToUtf8(archive_entry* entry) {
    const wchar_t* name = archive_entry_pathname_w(entry);
    return name ? PathToDisplay(std::filesystem::path(name)) : std::string();
}
#endif

class PackedSource final : public ModSource {
public:
    explicit PackedSource(std::filesystem::path file) : file_(std::move(file)) {}

    Expected<std::vector<SourceFile>, ImportFailure> List() override {
        [[maybe_unused]] const Utf8NamesScope names{};
        auto reader = Open();
        if (!reader) {
            return Unexpected{reader.error()};
        }
        std::vector<SourceFile> files;
        folders_.clear();
        archive_entry* entry = nullptr;
        while (true) {
            const int status = archive_read_next_header(reader->get(), &entry);
            if (status == ARCHIVE_EOF) {
                break;
            }
            if (status < ARCHIVE_WARN) {
                return Unexpected{Damaged(reader->get())};
            }
            if (archive_entry_filetype(entry) == AE_IFDIR) {
                std::string folder = EntryNameToUtf8(entry);
                std::replace(folder.begin(), folder.end(), '\\', '/');
                while (!folder.empty() && folder.back() == '/') {
                    folder.pop_back();
                }
                folders_.push_back(std::move(folder));
                continue;
            }
            SourceFile file;
            file.Path = EntryNameToUtf8(entry);
            // Old Windows tools wrote backslashes between the levels.
            std::replace(file.Path.begin(), file.Path.end(), '\\', '/');
            file.Regular = archive_entry_filetype(entry) == AE_IFREG;
            file.Encrypted = archive_entry_is_encrypted(entry) != 0;
            if (archive_entry_size_is_set(entry)) {
                file.Size = archive_entry_size(entry);
            }
            files.push_back(std::move(file));
        }
        return files;
    }

    Expected<void, ImportFailure> Read(const std::vector<bool>& wanted,
                                       const TakeContent& take) override {
        [[maybe_unused]] const Utf8NamesScope names{};
        auto reader = Open();
        if (!reader) {
            return Unexpected{reader.error()};
        }
        archive_entry* entry = nullptr;
        // Nothing after the last wanted file is read.
        const auto last = std::find(wanted.rbegin(), wanted.rend(), true);
        const std::size_t end = static_cast<std::size_t>(wanted.rend() - last);
        std::size_t index = 0;
        while (index < end) {
            const int status = archive_read_next_header(reader->get(), &entry);
            if (status == ARCHIVE_EOF) {
                return Unexpected{ImportFailure{
                    ImportProblem::DamagedSource, "the file changed while it was read", {}}};
            }
            if (status < ARCHIVE_WARN) {
                return Unexpected{Damaged(reader->get())};
            }
            if (archive_entry_filetype(entry) == AE_IFDIR) {
                continue;
            }
            const std::size_t current = index++;
            if (!wanted[current]) {
                continue;
            }
            EntryContent content(reader->get());
            if (auto taken = take(current, content); !taken) {
                return taken;
            }
        }
        return {};
    }

private:
    Expected<Reader, ImportFailure> Open() const {
        Reader reader(archive_read_new());
        if (!reader) {
            return Unexpected{ImportFailure{ImportProblem::CannotOpen, "out of memory", {}}};
        }
        archive_read_support_format_zip(reader.get());
        archive_read_support_format_7zip(reader.get());
#ifdef _WIN32
        const std::string oemNames = "CP" + std::to_string(GetOEMCP());
        archive_read_set_format_option(reader.get(), "zip", "hdrcharset", oemNames.c_str());
#endif
#ifdef _WIN32
        const int status = archive_read_open_filename_w(reader.get(), file_.c_str(), kBlockSize);
#else
        const int status = archive_read_open_filename(reader.get(), file_.c_str(), kBlockSize);
#endif
        if (status != ARCHIVE_OK) {
            std::error_code error;
            if (!std::filesystem::is_regular_file(file_, error)) {
                return Unexpected{
                    ImportFailure{ImportProblem::CannotOpen, ErrorText(reader.get()), {}}};
            }
            return Unexpected{Damaged(reader.get())};
        }
        return reader;
    }

    static std::string ErrorText(archive* reader) {
        const char* text = archive_error_string(reader);
        return text ? text : "unknown error";
    }

    std::filesystem::path file_;
};

}  // namespace

bool PackedSourcesAvailable() {
    return true;
}

std::unique_ptr<ModSource> OpenPackedSource(const std::filesystem::path& file) {
    return std::make_unique<PackedSource>(file);
}

}  // namespace vrel

#else

namespace vrel {

bool PackedSourcesAvailable() {
    return false;
}

std::unique_ptr<ModSource> OpenPackedSource(const std::filesystem::path&) {
    return nullptr;
}

}  // namespace vrel

#endif
