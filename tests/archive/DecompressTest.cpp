#include "archive/Decompress.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "archive/DatWriter.h"

namespace vrel {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 7) % 251);
    }
    return bytes;
}

TEST(DecompressBufferSize, RoundsHalfToEvenAndRefusesWhatCannotFit) {
    EXPECT_EQ(DecompressBufferSize(99), 112);
    EXPECT_EQ(DecompressBufferSize(1000), 1022);
    EXPECT_EQ(DecompressBufferSize(0), 12);
    EXPECT_EQ(DecompressBufferSize(50), 62);    // 62.5 rounds to the even neighbour
    EXPECT_EQ(DecompressBufferSize(150), 164);  // 163.5 rounds up to the even 164
    EXPECT_FALSE(DecompressBufferSize(-1));
    EXPECT_FALSE(DecompressBufferSize(2'147'483'647));
}

TEST(Decompress, ExactSizeGivesExactlyTheContent) {
    const auto content = Pattern(5000);
    auto data = CompressMember(content, 6);
    EXPECT_EQ(Decompress(data, 5000), Z_OK);
    EXPECT_EQ(data, content);
}

TEST(Decompress, SmallerAnnouncedSizeIsCutAtTheBufferSize) {
    const auto content = Pattern(1000);
    auto data = CompressMember(content, 6);
    // Announcing 99 bytes gives a buffer of 112: that many bytes come out, silently cut.
    EXPECT_EQ(Decompress(data, 99), Z_BUF_ERROR);
    ASSERT_EQ(data.size(), 112u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), content.begin()));
}

TEST(Decompress, LargerAnnouncedSizeGivesTheRealLength) {
    const auto content = Pattern(300);
    auto data = CompressMember(content, 6);
    EXPECT_EQ(Decompress(data, 1000), Z_OK);
    EXPECT_EQ(data, content);
}

TEST(Decompress, EmptyResultLeavesEmptyArray) {
    auto data = CompressMember({}, 6);
    EXPECT_EQ(Decompress(data, 0), Z_OK);
    EXPECT_TRUE(data.empty());
}

TEST(Decompress, TrailingBytesAfterTheStreamChangeNothing) {
    const auto content = Pattern(777);
    auto data = CompressMember(content, 9);
    data.insert(data.end(), {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(Decompress(data, 777), Z_OK);
    EXPECT_EQ(data, content);
}

TEST(Decompress, DamagedStreamReportsAnErrorAndNeverExceedsTheBuffer) {
    const auto content = Pattern(4000);
    auto data = CompressMember(content, 6);
    data.resize(data.size() / 2);
    EXPECT_NE(Decompress(data, 4000), Z_OK);
    EXPECT_LE(data.size(), 4052u);

    std::vector<std::uint8_t> garbage = {0xde, 0xad, 0xbe, 0xef};
    EXPECT_NE(Decompress(garbage, 10), Z_OK);
    EXPECT_LE(garbage.size(), 22u);
}

TEST(Decompress, ImpossibleSizesLeaveNothing) {
    auto data = CompressMember(Pattern(10), 6);
    EXPECT_EQ(Decompress(data, -5), Z_MEM_ERROR);
    EXPECT_TRUE(data.empty());
}

}  // namespace
}  // namespace vrel
