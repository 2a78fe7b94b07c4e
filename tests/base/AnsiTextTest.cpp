#include "base/AnsiText.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

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

struct PathCase {
    const char* ansi;
    const char* utf8;
    const char* why;
};

TEST(AnsiText, MemberNamesBecomePathsThatNameTheSameFiles) {
#ifdef _WIN32
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the file names below are spelt in the Western code page";
    }
#endif
    const PathCase cases[] = {
        {"ART\\CRITTERS\\HMJMPSAA.FRM", "ART\\CRITTERS\\HMJMPSAA.FRM", "plain ASCII"},
        // Guards high bytes on Windows: they pass through the code page, not as broken UTF-8.
        {"caf\xE9 \x80.txt", "caf\xC3\xA9 \xE2\x82\xAC.txt", "accents and the euro sign"},
        {"", "", "nothing"},
    };
    for (const PathCase& c : cases) {
        const std::filesystem::path path = AnsiToNativePath(c.ansi);
        const std::u8string spelt = path.u8string();
        EXPECT_EQ(std::string(spelt.begin(), spelt.end()), c.utf8) << c.why;
        EXPECT_EQ(NativePathToAnsi(path), c.ansi) << c.why;
    }
}

}  // namespace
}  // namespace vrel
