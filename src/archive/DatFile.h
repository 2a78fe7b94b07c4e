#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vrel {

// An archive opened for binary reading; every read is one positioned read of a known length (one
// system call, where a stream would seek, read ahead and seek again).
class DatFile {
public:
    static std::optional<DatFile> Open(const std::filesystem::path& path);
    ~DatFile();
    DatFile(DatFile&& other) noexcept;
    DatFile& operator=(DatFile&& other) noexcept;

    std::int64_t Length() const { return length_; }

    // The bytes [offset, offset + count), which the caller has checked lie inside the file.
    // Reads at a position of their own: any thread may read while others do.
    bool ReadAt(std::int64_t offset, std::span<std::uint8_t> into) const;
    std::optional<std::vector<std::uint8_t>> ReadAt(std::int64_t offset, std::int64_t count) const;

private:
    DatFile(std::intptr_t file, std::int64_t length) : file_(file), length_(length) {}

    std::intptr_t file_ = -1;  // the descriptor, or the Windows handle
    std::int64_t length_ = 0;
};

// Little-endian signed 32-bit integer at data[pos]; the caller has checked that 4 bytes are there.
inline std::int32_t ReadInt32(std::span<const std::uint8_t> data, std::size_t pos) {
    const std::uint32_t value = static_cast<std::uint32_t>(data[pos]) |
                                static_cast<std::uint32_t>(data[pos + 1]) << 8 |
                                static_cast<std::uint32_t>(data[pos + 2]) << 16 |
                                static_cast<std::uint32_t>(data[pos + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

}  // namespace vrel
