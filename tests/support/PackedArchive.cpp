#include "PackedArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

namespace vrel::testing {

void WritePackedArchive(
    const std::filesystem::path& path, PackedFormat format,
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files) {
    archive* writer = archive_write_new();
    if (format == PackedFormat::Zip) {
        archive_write_set_format_zip(writer);
    } else {
        archive_write_set_format_7zip(writer);
    }
#ifdef _WIN32
    const int opened = archive_write_open_filename_w(writer, path.c_str());
#else
    const int opened = archive_write_open_filename(writer, path.c_str());
#endif
    if (opened != ARCHIVE_OK) {
        archive_write_free(writer);
        throw std::runtime_error("cannot create " + path.string());
    }
    for (const auto& [name, content] : files) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(content.size()));
        archive_write_header(writer, entry);
        archive_write_data(writer, content.data(), content.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
}

}  // namespace vrel::testing
