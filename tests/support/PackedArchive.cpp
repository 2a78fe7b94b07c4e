#include "PackedArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <zlib.h>

#include <clocale>
#include <fstream>
#include <stdexcept>

namespace vrel::testing {

void WritePackedArchive(
    const std::filesystem::path& path, PackedFormat format,
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files) {
#ifndef _WIN32
    // libarchive converts names through the thread's locale: in the C locale every name outside
    // ASCII would be lost. On Windows it converts them with the system's own API.
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    const locale_t previous = utf8 ? uselocale(utf8) : locale_t{};
#endif
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
#ifdef _WIN32
        // The 7z writer needs the name as UTF-16, made in the C locale only from a wide one.
        if (format == PackedFormat::SevenZip) {
            const std::u8string utf8(name.begin(), name.end());
            archive_entry_copy_pathname_w(entry, std::filesystem::path(utf8).c_str());
        } else {
            archive_entry_set_pathname_utf8(entry, name.c_str());
        }
#else
        archive_entry_set_pathname_utf8(entry, name.c_str());
#endif
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(content.size()));
        archive_write_header(writer, entry);
        archive_write_data(writer, content.data(), content.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
#ifndef _WIN32
    if (utf8) {
        uselocale(previous);
        freelocale(utf8);
    }
#endif
}

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

void WriteRawZip(const std::filesystem::path& path, const std::vector<RawZipEntry>& entries) {
    std::string out;
    std::string directory;
    for (const RawZipEntry& entry : entries) {
        const auto offset = static_cast<std::uint32_t>(out.size());
        const std::uint32_t flags = entry.Flags | (entry.Utf8Flag ? 0x800u : 0u);
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, entry.Content.data(), static_cast<uInt>(entry.Content.size())));
        const auto size = static_cast<std::uint32_t>(entry.Content.size());
        const auto stated =
            entry.StatedSize < 0 ? size : static_cast<std::uint32_t>(entry.StatedSize);
        const auto nameSize = static_cast<std::uint32_t>(entry.Name.size());
        Put32(out, 0x04034B50);
        for (std::uint32_t field : {20u, flags, 0u, 0u}) {
            Put16(out, field);  // version, flags, method (stored), time
        }
        Put16(out, 0);  // date
        Put32(out, crc);
        Put32(out, size);
        Put32(out, stated);
        Put16(out, nameSize);
        Put16(out, 0);
        out += entry.Name;
        out.append(entry.Content.begin(), entry.Content.end());

        Put32(directory, 0x02014B50);
        for (std::uint32_t field : {20u, 20u, flags, 0u, 0u, 0u}) {
            Put16(directory, field);  // made by, needed, flags, method, time, date
        }
        Put32(directory, crc);
        Put32(directory, size);
        Put32(directory, stated);
        for (std::uint32_t field : {nameSize, 0u, 0u, 0u, 0u}) {
            Put16(directory, field);  // name, extra, comment, disk, internal attributes
        }
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += entry.Name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    const auto count = static_cast<std::uint32_t>(entries.size());
    Put32(out, 0x06054B50);
    for (std::uint32_t field : {0u, 0u, count, count}) {
        Put16(out, field);
    }
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace vrel::testing
