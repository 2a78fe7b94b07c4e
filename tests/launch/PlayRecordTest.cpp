#include <gtest/gtest.h>

#include <fstream>
#include <optional>

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
    EXPECT_EQ(play->GameFolder, game);
    ASSERT_EQ(play->Steps.size(), 2u);
    EXPECT_EQ(play->Steps[0].Path, game / u8"Über.ini");
    EXPECT_EQ(play->Steps[0].Aside, game / u8"Über.ini.kept");
    EXPECT_EQ(play->Steps[1].Path, game / "a\tb%41\nwrite");
    EXPECT_EQ(play->Steps[1].Aside, game / "c\rd");
}

// Records, and the kinds of the steps a restore may take from them (none without a game folder).
// A line with a field too many (a version-1 member name that held a tab) made the restore delete
// the player's saved game; one cut off by a full disk, without its line end, was read as whole.
struct RecordText {
    const char* name;
    std::string text;
    std::optional<std::vector<std::string>> steps;
};

const RecordText kRecords[] = {
    {"Foreign", "not a record\n", std::nullopt},
    {"WithoutAGameFolder", "%s\nkeep\t/g/a\t/g/k\n", std::nullopt},
    {"Whole",
     "%s\ngame\t/g\nwrite\t/g/a\nwrote\t/g/a\t3\t-4\nkeep\t/g/b\t/g/k\n",
     {{"write", "wrote", "keep"}}},
    {"CutWithoutLineEnd", "%s\ngame\t/g\nwrite\t/g/a\nwrite\t/g/SAVE.DA", {{"write"}}},
    {"WriteWithAFieldTooMany", "%s\ngame\t/g\nwrite\t/g/SAVE.DAT\tx\n", {{}}},
    {"WriteEndingInATab", "%s\ngame\t/g\nwrite\t/g/SAVE.DAT\t\n", {{}}},
    {"KeepWithoutItsPlaceAside", "%s\ngame\t/g\nkeep\t/g/a\nkeep\t/g/a\t\n", {{}}},
    {"KeepWithAFieldTooMany", "%s\ngame\t/g\nkeep\t/g/a\t/g/k/1\t/g/b\n", {{}}},
    {"WroteWithoutItsTime", "%s\ngame\t/g\nwrote\t/g/a\t3\n", {{}}},
    {"WroteWithASizeNotANumber", "%s\ngame\t/g\nwrote\t/g/a\t3x\t4\n", {{}}},
    {"FoldersGoneAndBackWithAFieldTooMany",
     "%s\ngame\t/g\nfolder\t/g/a\t/g\ngone\t/g/a\tb\nback\t/g/a\tb\n",
     {{}}},
    {"GameWithAFieldTooMany", "%s\ngame\t/g\ngame\t/h\tx\nwrite\t/g/a\n", {{"write"}}},
    {"EndedAndAnUnknownKind", "%s\ngame\t/g\nended\t/g\nerase\t/g/a\n", {{"ended"}}},
};

TEST(PlayRecord, OnlyWholeLinesWithTheFieldsOfTheirKindAreRead) {
    for (const char* header : {"Vrel play record 1", "Vrel play record 2"}) {
        for (const RecordText& row : kRecords) {
            TempFolder folder;
            std::string text = row.text;
            if (text.starts_with("%s")) {
                text.replace(0, 2, header);
            }
            std::ofstream(folder.path() / PlayRecord::kFileName, std::ios::binary) << text;
            const auto play = ReadPlayRecord(folder.path());
            std::optional<std::vector<std::string>> kinds;
            if (play) {
                kinds.emplace();
                for (const auto& step : play->Steps) {
                    kinds->push_back(step.Kind);
                }
            }
            EXPECT_EQ(kinds, row.steps) << header << ": " << row.name;
        }
    }
}

}  // namespace
}  // namespace vrel
