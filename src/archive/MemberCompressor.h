#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vrel {

// Packs members one after another as single zlib streams at one level, keeping zlib's state
// between members (the same bytes as one compress2 call per member, without its set-up cost).
class MemberCompressor {
public:
    explicit MemberCompressor(int level);
    ~MemberCompressor();
    MemberCompressor(MemberCompressor&&) noexcept;
    MemberCompressor& operator=(MemberCompressor&&) noexcept;

    // One zlib stream of `content` into `packed`, which is resized to fit it.
    void Compress(std::span<const std::uint8_t> content, std::vector<std::uint8_t>& packed);

private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
};

}  // namespace vrel
