#include "archive/Decompress.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vrel {
namespace {

// No stream of the given length can fill more than this; a larger buffer would only be memory
// that nothing can use.
std::int64_t MostAStreamCanUnpackTo(std::size_t streamLength) {
    return (static_cast<std::int64_t>(streamLength) + 1) * kMaxInflateRatio;
}

}  // namespace

std::optional<std::int64_t> DecompressBufferSize(std::int32_t expectedSize) {
    if (expectedSize < 0) {
        return std::nullopt;
    }
    const double size = expectedSize;
    // nearbyint rounds an exact half to the even neighbour in the default rounding mode.
    const double buffer = std::nearbyint(size * 0.01 + size + 12);
    if (buffer + 1 > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(buffer);
}

int Decompress(std::vector<std::uint8_t>& data, std::int32_t expectedSize) {
    const std::optional<std::int64_t> bufferSize = DecompressBufferSize(expectedSize);
    if (!bufferSize) {
        data.clear();
        return Z_MEM_ERROR;
    }
    // The buffer rule allows B bytes; an announced size far beyond what the stream can give must
    // not make us allocate it. Any stream still ends (or is cut) exactly where it would with B.
    const std::int64_t capacity = std::min(*bufferSize, MostAStreamCanUnpackTo(data.size()));
    std::vector<std::uint8_t> work(static_cast<std::size_t>(capacity + 1), 0);
    uLongf outputLength = static_cast<uLongf>(capacity);
    const int result =
        uncompress(work.data(), &outputLength, data.data(), static_cast<uLong>(data.size()));
    // The work buffer becomes the result: same bytes as a copy of its first outputLength bytes.
    work.resize(outputLength);
    data.swap(work);
    return result;
}

}  // namespace vrel
