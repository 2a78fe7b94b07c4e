#include "archive/MemberCompressor.h"

#include <new>

#include "archive/ZlibStream.h"

#ifdef VREL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace vrel {

#ifdef VREL_HAVE_LIBDEFLATE
struct MemberCompressor::Stream {
    libdeflate_compressor* compressor = nullptr;
    std::vector<std::uint8_t> output;  // kept from one member to the next, never smaller
    ~Stream() { libdeflate_free_compressor(compressor); }
};

MemberCompressor::MemberCompressor(int level) : stream_(std::make_unique<Stream>()), level_(level) {
    stream_->compressor = libdeflate_alloc_compressor(level < 0 ? 6 : level);
    if (stream_->compressor == nullptr) {
        throw std::bad_alloc();
    }
}

MemberCompressor::~MemberCompressor() = default;

void MemberCompressor::Compress(std::span<const std::uint8_t> content,
                                std::vector<std::uint8_t>& packed) {
    // Packed into a buffer that holds the bound, so the stream always fits, and that is not
    // taken and cleared again for every member; only what the stream took is copied out.
    std::vector<std::uint8_t>& output = stream_->output;
    const std::size_t bound = libdeflate_zlib_compress_bound(stream_->compressor, content.size());
    if (output.size() < bound) {
        output.resize(bound);
    }
    const std::size_t used = libdeflate_zlib_compress(stream_->compressor, content.data(),
                                                      content.size(), output.data(), bound);
    packed.assign(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(used));
}
#else
struct MemberCompressor::Stream {
    ZlibStream zlib;
};

MemberCompressor::MemberCompressor(int level) : stream_(std::make_unique<Stream>()), level_(level) {
    if (!stream_->zlib.BeginDeflate(level)) {
        throw std::bad_alloc();
    }
}

MemberCompressor::~MemberCompressor() = default;

void MemberCompressor::Compress(std::span<const std::uint8_t> content,
                                std::vector<std::uint8_t>& packed) {
    z_stream& z = stream_->zlib.Z();
    deflateReset(&z);
    packed.resize(deflateBound(&z, static_cast<uLong>(content.size())));
    z.next_in = const_cast<Bytef*>(content.data());
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    // The output holds deflateBound bytes, so one call finishes the stream.
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
}
#endif

MemberCompressor::MemberCompressor(MemberCompressor&&) noexcept = default;
MemberCompressor& MemberCompressor::operator=(MemberCompressor&&) noexcept = default;

}  // namespace vrel
