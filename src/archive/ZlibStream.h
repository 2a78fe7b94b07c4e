#pragma once

#include <zlib.h>

namespace vrel {

// A zlib stream that is ended however the code using it leaves: inflateEnd or deflateEnd, once,
// and only when it was begun. It stays where it was made, since zlib's state points back to it.
class ZlibStream {
public:
    ZlibStream() = default;
    ~ZlibStream() {
        if (way_ == Way::Inflate) {
            inflateEnd(&z_);
        } else if (way_ == Way::Deflate) {
            deflateEnd(&z_);
        }
    }
    ZlibStream(const ZlibStream&) = delete;
    ZlibStream& operator=(const ZlibStream&) = delete;

    // Begin the stream one way; false when zlib cannot (for want of memory).
    bool BeginInflate() { return Began(inflateInit(&z_), Way::Inflate); }
    bool BeginDeflate(int level) { return Began(deflateInit(&z_, level), Way::Deflate); }

    z_stream& Z() { return z_; }

private:
    enum class Way { None, Inflate, Deflate };
    bool Began(int result, Way way) {
        if (result != Z_OK) {
            return false;
        }
        way_ = way;
        return true;
    }

    z_stream z_{};
    Way way_ = Way::None;
};

}  // namespace vrel
