#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vrel {

// Packs members one after another as single zlib streams at one level, keeping the packer's state
// between members. Where the build found libdeflate it packs (faster, and a little smaller at the
// same level); otherwise zlib does, giving the same bytes as one compress2 call per member.
// Either way every stream is one that plain zlib inflates. One compressor per thread.
class MemberCompressor {
public:
    // `level`: 0 to 9, or -1 for the default (6).
    explicit MemberCompressor(int level);
    ~MemberCompressor();
    MemberCompressor(MemberCompressor&&) noexcept;
    MemberCompressor& operator=(MemberCompressor&&) noexcept;

    int Level() const { return level_; }

    // One zlib stream of `content` into `packed`, which is resized to fit it.
    void Compress(std::span<const std::uint8_t> content, std::vector<std::uint8_t>& packed);

private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
    int level_ = -1;
};

}  // namespace vrel
