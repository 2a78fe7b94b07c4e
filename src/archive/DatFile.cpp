#include "archive/DatFile.h"

#include "base/SyncFile.h"

#include <algorithm>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#endif

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
#ifdef _WIN32
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    return DatFile(reinterpret_cast<std::intptr_t>(file), static_cast<std::int64_t>(length));
#else
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return std::nullopt;
    }
    return DatFile(file, static_cast<std::int64_t>(length));
#endif
}

DatFile::~DatFile() {
    if (file_ != -1) {
        CloseNativeFile(file_);
    }
}

DatFile::DatFile(DatFile&& other) noexcept
    : file_(std::exchange(other.file_, -1)), length_(other.length_) {}

DatFile& DatFile::operator=(DatFile&& other) noexcept {
    if (this != &other) {
        DatFile gone(std::move(*this));
        file_ = std::exchange(other.file_, -1);
        length_ = other.length_;
    }
    return *this;
}

bool DatFile::ReadAt(std::int64_t offset, std::span<std::uint8_t> into) const {
    if (file_ == -1 || offset < 0 || offset + static_cast<std::int64_t>(into.size()) > length_) {
        return false;
    }
    while (!into.empty()) {
#ifdef _WIN32
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
        if (!ReadFile(reinterpret_cast<HANDLE>(file_), into.data(), chunk, &done, &at) ||
            done == 0) {
            return false;
        }
#else
        const ssize_t done = pread(static_cast<int>(file_), into.data(), into.size(), offset);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;  // a failed read, or the file ended early
        }
#endif
        into = into.subspan(static_cast<std::size_t>(done));
        offset += static_cast<std::int64_t>(done);
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> DatFile::ReadAt(std::int64_t offset,
                                                         std::int64_t count) const {
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
