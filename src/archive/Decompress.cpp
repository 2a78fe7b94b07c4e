#include "archive/Decompress.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#ifdef VREL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace vrel {
namespace {

// The buffer that one stream of `data` unpacks into, or nothing when the size cannot be served.
std::optional<std::int64_t> WorkCapacity(std::span<const std::uint8_t> data,
                                         std::int32_t expectedSize) {
    const std::optional<std::int64_t> bufferSize = DecompressBufferSize(expectedSize);
    if (!bufferSize) {
        return std::nullopt;
    }
    // The buffer rule allows B bytes; an announced size far beyond what the stream can give must
    // not make us allocate it. Any stream still ends (or is cut) exactly where it would with B.
    return std::min(*bufferSize, MostAStreamCanUnpackTo(static_cast<std::int64_t>(data.size())));
}

// Each inflates into the first `limit` bytes of `work` and gives the bytes produced.
int InflateWithZlib(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& work,
                    std::size_t limit, std::size_t& produced) {
    uLongf outputLength = static_cast<uLongf>(limit);
    const int result =
        uncompress(work.data(), &outputLength, data.data(), static_cast<uLong>(data.size()));
    produced = outputLength;
    return result;
}

#ifdef VREL_HAVE_LIBDEFLATE
struct DecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const {
        libdeflate_free_decompressor(decompressor);
    }
};

// Each thread keeps its own: a decompressor is not to be shared between threads.
libdeflate_decompressor* ThreadDecompressor() {
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
        libdeflate_alloc_decompressor());
    return decompressor.get();
}

// True when libdeflate unpacked the whole stream into `work`. It checks the header, every block
// and the Adler-32 sum as zlib does, so a stream it accepts is one zlib accepts with the same
// bytes; whatever it refuses goes to zlib, which alone decides what a damaged stream leaves.
bool InflateWithLibdeflate(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& work,
                           std::size_t limit, std::size_t& produced) {
    libdeflate_decompressor* decompressor = ThreadDecompressor();
    if (decompressor == nullptr) {
        return false;
    }
    std::size_t consumed = 0;
    // _ex: bytes after the end of the stream are left alone, as zlib leaves them.
    return libdeflate_zlib_decompress_ex(decompressor, data.data(), data.size(), work.data(), limit,
                                         &consumed, &produced) == LIBDEFLATE_SUCCESS;
}
#endif

// Inflates `data` into `work`, made at least as large as the buffer rule asks and never smaller,
// so that a buffer kept from one member to the next is not allocated and filled again.
int UnpackInto(std::span<const std::uint8_t> data, std::int32_t expectedSize, bool libdeflateFirst,
               std::vector<std::uint8_t>& work, std::size_t& produced) {
    produced = 0;
    const std::optional<std::int64_t> capacity = WorkCapacity(data, expectedSize);
    if (!capacity) {
        return Z_MEM_ERROR;
    }
    const auto limit = static_cast<std::size_t>(*capacity);
    if (work.size() < limit + 1) {
        work.resize(limit + 1);
    }
#ifdef VREL_HAVE_LIBDEFLATE
    if (libdeflateFirst && InflateWithLibdeflate(data, work, limit, produced)) {
        return Z_OK;
    }
#else
    (void)libdeflateFirst;
#endif
    return InflateWithZlib(data, work, limit, produced);
}

int Unpack(std::vector<std::uint8_t>& data, std::int32_t expectedSize, bool libdeflateFirst) {
    std::vector<std::uint8_t> work;
    std::size_t produced = 0;
    const int result = UnpackInto(data, expectedSize, libdeflateFirst, work, produced);
    // The work buffer becomes the result: same bytes as a copy of its first produced bytes.
    work.resize(produced);
    data.swap(work);
    return result;
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
#ifdef VREL_HAVE_LIBDEFLATE
    return Unpack(data, expectedSize, true);
#else
    return Unpack(data, expectedSize, false);
#endif
}

int DecompressWithZlib(std::vector<std::uint8_t>& data, std::int32_t expectedSize) {
    return Unpack(data, expectedSize, false);
}

int DecompressInto(std::span<const std::uint8_t> data, std::int32_t expectedSize,
                   std::vector<std::uint8_t>& work, std::size_t& produced) {
#ifdef VREL_HAVE_LIBDEFLATE
    return UnpackInto(data, expectedSize, true, work, produced);
#else
    return UnpackInto(data, expectedSize, false, work, produced);
#endif
}

int DecompressWithZlibInto(std::span<const std::uint8_t> data, std::int32_t expectedSize,
                           std::vector<std::uint8_t>& work, std::size_t& produced) {
    return UnpackInto(data, expectedSize, false, work, produced);
}

}  // namespace vrel
