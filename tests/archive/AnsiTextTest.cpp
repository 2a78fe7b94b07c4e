#include "archive/AnsiText.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

TEST(AnsiText, LowerCaseFollowsTheCodePage) {
    EXPECT_EQ(AnsiToLower("ART\\Critters\\X.FRM"), "art\\critters\\x.frm");
    EXPECT_EQ(AnsiToLower("\xC4\xD6\xDC\xD7\x8A\x9F"), "\xE4\xF6\xFC\xD7\x9A\xFF");  // ÄÖÜ× Š Ÿ
    EXPECT_EQ(AnsiToLower("\xDF\xE4"), "\xDF\xE4");  // ß and ä stay
}

TEST(AnsiText, ConvertsBetweenTheCodePageAndUtf8) {
    EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x98\x83"), "?");  // a snowman has no Windows-1252 form
    EXPECT_EQ(Utf8ToAnsi("\xC3"), "?");          // cut sequence
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

}  // namespace
}  // namespace vrel
