#include "archive/MemberCompressor.h"

#include <zlib.h>

#include <new>

namespace vrel {

struct MemberCompressor::Stream {
    z_stream z{};
};

MemberCompressor::MemberCompressor(int level) : stream_(std::make_unique<Stream>()) {
    if (deflateInit(&stream_->z, level) != Z_OK) {
        throw std::bad_alloc();
    }
}

MemberCompressor::~MemberCompressor() {
    if (stream_) {
        deflateEnd(&stream_->z);
    }
}

MemberCompressor::MemberCompressor(MemberCompressor&&) noexcept = default;
MemberCompressor& MemberCompressor::operator=(MemberCompressor&& other) noexcept {
    if (this != &other) {
        if (stream_) {
            deflateEnd(&stream_->z);
        }
        stream_ = std::move(other.stream_);
    }
    return *this;
}

void MemberCompressor::Compress(std::span<const std::uint8_t> content,
                                std::vector<std::uint8_t>& packed) {
    z_stream& z = stream_->z;
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

}  // namespace vrel
