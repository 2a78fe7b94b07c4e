#include "archive/Decompress.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "Allocations.h"
#include "DatImage.h"
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

// A size announced far beyond what the stream can unpack to must not be allocated: a damaged
// archive entry would otherwise make the program ask for up to 2 GB per member.
TEST(Decompress, AnnouncedSizeBeyondTheStreamAllocatesOnlyWhatTheStreamCanFill) {
    const struct {
        const char* what;
        std::int32_t announced;
        std::vector<std::uint8_t> stream;
        int result;
        std::vector<std::uint8_t> output;
    } cases[] = {
        // Found by fuzzing: three bytes that are no zlib stream, announcing 673 MB.
        {"damaged stream", 673'447'941, {0x02, 0x00, 0x00}, Z_DATA_ERROR, {}},
        {"whole stream", 2'100'000'000, CompressMember(Pattern(10), 9), Z_OK, Pattern(10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto data = c.stream;
        int result = Z_OK;
        const std::size_t largest =
            testing::LargestAllocationDuring([&] { result = Decompress(data, c.announced); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(data, c.output);
        EXPECT_LE(largest, (c.stream.size() + 1) * kMaxInflateRatio + 1);
    }
}

// The fast inflater must leave exactly what zlib leaves, on whole and damaged streams alike: the
// same result code, the same bytes, the same length. Every cut, and every byte changed in turn.
TEST(Decompress, AgreesWithZlibOnEveryDamagedStream) {
    std::vector<std::uint8_t> content = Pattern(3000);
    for (std::size_t i = 0; i < content.size(); i += 97) {
        content[i] = static_cast<std::uint8_t>(i * 31);  // some literals besides the repeats
    }
    const std::vector<std::uint8_t> whole = CompressMember(content, 6);
    const std::vector<std::uint8_t> stored = CompressMember(Pattern(200), 0);
    std::vector<std::pair<std::vector<std::uint8_t>, std::int32_t>> streams;
    for (const std::int32_t announced : {3000, 2999, 100, 0, 100'000}) {
        streams.emplace_back(whole, announced);
    }
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        streams.emplace_back(std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut), 3000);
    }
    for (const auto& stream : {whole, stored}) {
        for (std::size_t at = 0; at < stream.size(); ++at) {
            for (const int change : {0x01, 0x80, 0xFF}) {
                std::vector<std::uint8_t> damaged = stream;
                damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ change);
                streams.emplace_back(std::move(damaged), stream == whole ? 3000 : 200);
            }
        }
    }
    int damaged = 0;
    for (const auto& [stream, announced] : streams) {
        auto fast = stream;
        auto reference = stream;
        const int fastResult = Decompress(fast, announced);
        const int referenceResult = DecompressWithZlib(reference, announced);
        ASSERT_EQ(fastResult, referenceResult) << "stream of " << stream.size() << " bytes";
        ASSERT_EQ(fast, reference) << "stream of " << stream.size() << " bytes";
        damaged += referenceResult != Z_OK ? 1 : 0;
    }
    EXPECT_GT(damaged, static_cast<int>(streams.size() / 2));  // the damage did reach zlib
}

TEST(Decompress, StreamAtDeflatesHighestRatioStillUnpacksWhole) {
    // A run of one byte packs about 1000 to 1: the buffer bound must not cut it.
    const std::vector<std::uint8_t> content(1'000'000, 0x41);
    auto data = CompressMember(content, 9);
    EXPECT_EQ(Decompress(data, 2'000'000'000), Z_OK);
    EXPECT_EQ(data, content);
}

}  // namespace
}  // namespace vrel
