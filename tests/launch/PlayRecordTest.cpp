#include <gtest/gtest.h>

#include "TempFolder.h"
#include "launch/PlayRecord.h"

namespace vrel {
namespace {

using testing::TempFolder;

// With MinGW a narrow path string is UTF-8 one way and the ANSI code page the other: the record
// could not be opened in a program folder named "Vrel Über", and a Cyrillic game folder came back
// garbled, so a crash would have left the game folder as the Play had made it. A tab or a line end
// in a name split the record's lines.
TEST(PlayRecord, FoldersOfAnyNameAreReadBackAsTheyWere) {
    TempFolder folder;
    const auto programFolder = folder.path() / std::filesystem::path(u8"Vrel Über");
    const auto game = folder.path() / std::filesystem::path(u8"Игры") / "Fallout 2";
    std::filesystem::create_directories(programFolder);
    {
        auto record = PlayRecord::Start(programFolder, game);
        ASSERT_TRUE(record.has_value());
        record->Keep(game / u8"Über.ini", game / u8"Über.ini.kept");
        // A separator in a name stays inside its field.
        record->Keep(game / "a\tb%41\nwrite", game / "c\rd");
    }
    const auto play = ReadPlayRecord(programFolder);
    ASSERT_TRUE(play.has_value());
    EXPECT_EQ(play->gameFolder, game);
    ASSERT_EQ(play->steps.size(), 2u);
    EXPECT_EQ(play->steps[0].path, game / u8"Über.ini");
    EXPECT_EQ(play->steps[0].aside, game / u8"Über.ini.kept");
    EXPECT_EQ(play->steps[1].path, game / "a\tb%41\nwrite");
    EXPECT_EQ(play->steps[1].aside, game / "c\rd");
}

}  // namespace
}  // namespace vrel
