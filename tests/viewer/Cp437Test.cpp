#include "base/Cp437.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vrel {
namespace {

std::string Decode(std::string_view bytes) {
    std::string utf8;
    AppendCp437AsUtf8(bytes, utf8);
    return utf8;
}

struct GlyphCase {
    unsigned char byte;
    const char* utf8;
};
void PrintTo(const GlyphCase& c, std::ostream* os) {
    *os << "byte " << static_cast<int>(c.byte);
}

class Cp437GlyphTest : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(Cp437GlyphTest, ByteShowsAsTheConsoleGlyph) {
    const char bytes[] = {static_cast<char>(GetParam().byte)};
    EXPECT_EQ(Decode(std::string_view(bytes, 1)), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Glyphs, Cp437GlyphTest,
    ::testing::Values(GlyphCase{'A', "A"}, GlyphCase{'~', "~"}, GlyphCase{0x00, " "},
                      GlyphCase{0x01, "☺"}, GlyphCase{0x09, "\t"}, GlyphCase{0x0A, "\n"},
                      GlyphCase{0x0F, "☼"}, GlyphCase{0x7F, "⌂"}, GlyphCase{0x80, "Ç"},
                      GlyphCase{0x9E, "₧"}, GlyphCase{0xB0, "░"}, GlyphCase{0xB1, "▒"},
                      GlyphCase{0xB2, "▓"}, GlyphCase{0xB3, "│"}, GlyphCase{0xBA, "║"},
                      GlyphCase{0xBB, "╗"}, GlyphCase{0xC4, "─"}, GlyphCase{0xC9, "╔"},
                      GlyphCase{0xCD, "═"}, GlyphCase{0xCE, "╬"}, GlyphCase{0xDB, "█"},
                      GlyphCase{0xDC, "▄"}, GlyphCase{0xDF, "▀"}, GlyphCase{0xE1, "ß"},
                      GlyphCase{0xE6, "µ"}, GlyphCase{0xFE, "■"}, GlyphCase{0xFF, "\u00A0"}));

TEST(Cp437Test, EveryPrintableByteHasItsOwnGlyph) {
    std::set<std::string> seen;
    for (unsigned byte = 0x20; byte < 0x100; ++byte) {
        const std::string glyph = Decode(std::string(1, static_cast<char>(byte)));
        EXPECT_TRUE(seen.insert(glyph).second) << "byte " << byte;
        const bool surrogate = glyph.size() == 3 && static_cast<unsigned char>(glyph[0]) == 0xED &&
                               static_cast<unsigned char>(glyph[1]) >= 0xA0;
        EXPECT_FALSE(surrogate) << "byte " << byte;
    }
}

TEST(Cp437Test, DecodesAWholeLineOfArt) {
    EXPECT_EQ(Decode("\xC9\xCD\xBB x \xDB\xB2\xB1\xB0"), "╔═╗ x █▓▒░");
}

}  // namespace
}  // namespace vrel
