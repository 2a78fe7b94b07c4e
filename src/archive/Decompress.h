#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vrel {

// Deflate never packs more than this many bytes into one (zlib's documented limit).
inline constexpr std::int64_t kMaxInflateRatio = 1032;

// No stream of the given length can unpack to more than this: an entry announcing more is
// damaged, and a larger buffer would only be memory that nothing can use.
constexpr std::int64_t MostAStreamCanUnpackTo(std::int64_t streamLength) {
    return (streamLength + 1) * kMaxInflateRatio;
}

// The size of the output buffer for a member of the given unpacked size: size * 0.01 + size + 12,
// rounded half to even; nothing when the size is negative or the buffer would not fit 32 bits.
std::optional<std::int64_t> DecompressBufferSize(std::int32_t expectedSize);

// Unpacks one zlib stream in place with a single call. On return `data` holds exactly the bytes
// that zlib's uncompress produces, at most the buffer size above: a damaged or
// longer stream leaves what came out. It never allocates more than the stream could unpack to,
// whatever size is announced. Returns zlib's result code (Z_OK when the stream ended);
// a size the buffer rule cannot serve leaves `data` empty and returns Z_MEM_ERROR.
// Where libdeflate was found when the program was built, it inflates first (several times
// faster); a stream it refuses is handed to zlib, so every result, damaged or whole, is zlib's.
int Decompress(std::vector<std::uint8_t>& data, std::int32_t expectedSize);

// The same with zlib alone: what Decompress must always agree with.
int DecompressWithZlib(std::vector<std::uint8_t>& data, std::int32_t expectedSize);

// The same into the first `produced` bytes of `work`, a buffer kept from one stream to the next:
// it is made large enough and never smaller, so no memory is taken and filled per stream.
int DecompressInto(std::span<const std::uint8_t> data, std::int32_t expectedSize,
                   std::vector<std::uint8_t>& work, std::size_t& produced);
int DecompressWithZlibInto(std::span<const std::uint8_t> data, std::int32_t expectedSize,
                           std::vector<std::uint8_t>& work, std::size_t& produced);

}  // namespace vrel
