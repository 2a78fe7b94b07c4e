#include <gtest/gtest.h>

#include <fstream>

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

// Lines after a record's header and game line, and the steps a restore may take from them. A line
// with a field too many (a version-1 member name that held a tab) made the restore delete the
// player's saved game; one cut off by a full disk, without its line end, was read as whole.
struct RecordLines {
    const char* name;
    std::string lines;
    std::vector<std::string> steps;  // the kinds read
};

const RecordLines kRecordLines[] = {
    {"Whole", "write\t/g/a\nwrote\t/g/a\t3\t-4\nkeep\t/g/b\t/g/k/1\n", {"write", "wrote", "keep"}},
    {"CutWithoutLineEnd", "write\t/g/a\nwrite\t/g/SAVE.DA", {"write"}},
    {"WriteWithAFieldTooMany", "write\t/g/SAVE.DAT\tx\n", {}},
    {"WriteEndingInATab", "write\t/g/SAVE.DAT\t\n", {}},
    {"KeepWithoutItsPlaceAside", "keep\t/g/a\n", {}},
    {"KeepWithAnEmptyPlaceAside", "keep\t/g/a\t\n", {}},
    {"KeepWithAFieldTooMany", "keep\t/g/a\t/g/k/1\t/g/b\n", {}},
    {"WroteWithoutItsTime", "wrote\t/g/a\t3\n", {}},
    {"WroteWithASizeNotANumber", "wrote\t/g/a\t3x\t4\n", {}},
    {"FolderWithAFieldTooMany", "folder\t/g/a\t/g\n", {}},
    {"GoneWithAFieldTooMany", "gone\t/g/a\tb\n", {}},
    {"BackWithAFieldTooMany", "back\t/g/a\tb\n", {}},
    {"GameWithAFieldTooMany", "game\t/h\tx\nwrite\t/g/a\n", {"write"}},
    {"Ended", "gone\t/g/a\nended\t/g\n", {"gone", "ended"}},
    {"AnUnknownKind", "erase\t/g/a\n", {}},
};

TEST(PlayRecord, OnlyWholeLinesWithTheirFieldsAreRead) {
    for (const char* header : {"Vrel play record 1", "Vrel play record 2"}) {
        for (const RecordLines& row : kRecordLines) {
            TempFolder folder;
            std::ofstream(folder.path() / PlayRecord::kFileName, std::ios::binary)
                << header << "\ngame\t/g\n"
                << row.lines;
            const auto play = ReadPlayRecord(folder.path());
            ASSERT_TRUE(play.has_value()) << row.name;
            std::vector<std::string> kinds;
            for (const auto& step : play->steps) {
                kinds.push_back(step.kind);
                EXPECT_EQ(step.gameFolder, "/g") << row.name;
            }
            EXPECT_EQ(kinds, row.steps) << header << ": " << row.name;
        }
    }
}

}  // namespace
}  // namespace vrel
