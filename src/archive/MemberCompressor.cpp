#include "archive/MemberCompressor.h"

#include <new>

#include "archive/ZlibStream.h"

#ifdef VREL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace vrel {
namespace {

// What a member is packed into, holding the packer's bound for it: kept with the packer from one
// member to the next and never smaller, so it is not taken and cleared again for every member;
// only what the stream took is copied out.
std::uint8_t* KeptOutput(std::vector<std::uint8_t>& output, std::size_t bound) {
    if (output.size() < bound) {
        output.resize(bound);
    }
    return output.data();
}

}  // namespace

#ifdef VREL_HAVE_LIBDEFLATE
struct MemberCompressor::Stream {
    libdeflate_compressor* compressor = nullptr;
    std::vector<std::uint8_t> output;  // see KeptOutput
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
    // The output holds the bound, so the stream always fits.
    const std::size_t bound = libdeflate_zlib_compress_bound(stream_->compressor, content.size());
    std::uint8_t* output = KeptOutput(stream_->output, bound);
    const std::size_t used = libdeflate_zlib_compress(stream_->compressor, content.data(),
                                                      content.size(), output, bound);
    packed.assign(output, output + used);
}
#else
struct MemberCompressor::Stream {
    ZlibStream zlib;
    std::vector<std::uint8_t> output;  // see KeptOutput
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
    const uLong bound = deflateBound(&z, static_cast<uLong>(content.size()));
    std::uint8_t* output = KeptOutput(stream_->output, bound);
    z.next_in = const_cast<Bytef*>(content.data());
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = output;
    z.avail_out = static_cast<uInt>(bound);
    // The output holds deflateBound bytes, so one call finishes the stream.
    deflate(&z, Z_FINISH);
    packed.assign(output, output + z.total_out);
}
#endif

MemberCompressor::MemberCompressor(MemberCompressor&&) noexcept = default;
MemberCompressor& MemberCompressor::operator=(MemberCompressor&&) noexcept = default;

}  // namespace vrel
