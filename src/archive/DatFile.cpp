#include "archive/DatFile.h"

#include <system_error>

namespace vrel {

std::optional<DatFile> DatFile::Open(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const auto length = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    return DatFile(std::move(stream), static_cast<std::int64_t>(length));
}

bool DatFile::ReadAt(std::int64_t offset, std::span<std::uint8_t> into) {
    if (offset < 0 || offset + static_cast<std::int64_t>(into.size()) > length_) {
        return false;
    }
    stream_.clear();
    stream_.seekg(offset);
    stream_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    return static_cast<std::size_t>(stream_.gcount()) == into.size();
}

std::optional<std::vector<std::uint8_t>> DatFile::ReadAt(std::int64_t offset, std::int64_t count) {
    if (count < 0 || offset < 0 || offset + count > length_) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    if (!ReadAt(offset, std::span<std::uint8_t>(bytes))) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace vrel
