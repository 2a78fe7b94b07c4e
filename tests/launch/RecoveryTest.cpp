#include "launch/Recovery.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>

#include "DatImage.h"
#include "Fakes.h"
#include "FolderSnapshot.h"
#include "TempFolder.h"
#include "app/DataFolders.h"
#include "config/VrelCFG.h"
#include "launch/PlayRecord.h"

extern char** environ;

namespace vrel {
namespace {

using testing::Bytes;
using testing::WriteFile;

namespace fs = std::filesystem;

// Runs the child; true when it ended by SIGKILL.
bool RunKilled(const fs::path& program, const fs::path& game, const std::string& point) {
    std::string child = VREL_PLAY_CHILD;
    std::vector<std::string> arguments = {child, program.string(), game.string(), point};
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

class RecoveryTest : public ::testing::TestWithParam<const char*> {
protected:
    RecoveryTest() {
        fs::create_directories(game_);
        CreateDataFolders(game_.string());
        fs::copy_file(VREL_STANDIN_GAME, game_ / "Fallout2.exe");
        WriteFile(game_ / "Data" / "maps" / "arcaves.map", "the player's own map");
        WriteFile(game_ / "Data" / "proto" / "items" / "00000009.pro", "the player's own proto");
        fs::permissions(game_ / "Data" / "proto" / "items" / "00000009.pro", fs::perms::owner_read);

        std::vector<ImageMember> first, second;
        for (int i = 0; i < 20; ++i) {
            first.push_back({.Name = "art\\critters\\c" + std::to_string(i) + ".frm",
                             .Content = Bytes(std::string(700, 'a'))});
        }
        first.push_back({.Name = "maps\\arcaves.map", .Content = Bytes("mod map")});
        first.push_back({.Name = "newstuff\\deeper\\notes.txt", .Content = Bytes("new folders")});
        second.push_back({.Name = "proto\\items\\00000009.pro", .Content = Bytes("mod proto")});
        second.push_back({.Name = "maps\\arcaves.map", .Content = Bytes("second mod map")});
        second.push_back({.Name = "proto\\items\\00000010.pro", .Content = Bytes("another")});
        WriteFile(program_ / "Patches" / "a.dat", BuildDatImage(first));
        WriteFile(program_ / "Patches" / "b.dat", BuildDatImage(second));
        WriteFile(program_ / "Patches" / "patch000.dat", BuildDatImage({}));
    }

    testing::TempFolder folder_;
    fs::path program_ = folder_ / "program";
    fs::path game_ = folder_ / "game";
};

TEST_P(RecoveryTest, AKilledPlayIsUndoneAtTheNextStart) {
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, GetParam()))
        << "the play was not killed at " << GetParam();
    ASSERT_TRUE(fs::exists(program_ / PlayRecord::kFileName));

    testing::FakeMessageBox messages;
    messages.answers = {MessageAnswer::Yes};
    OfferGameFolderRestore(program_, messages);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].title, "Restore the game folder?");
    EXPECT_EQ(messages.shown[1].text, "Done, the game folder is as it was before you played.");
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    EXPECT_FALSE(fs::exists(program_ / PlayRecord::kFileName));
}

INSTANTIATE_TEST_SUITE_P(KillPoints, RecoveryTest,
                         ::testing::Values("unpack:1", "unpack:12", "unpack:22", "unpack:25",
                                           "game", "cleanup:0", "cleanup:3", "cleanup:24"));

TEST_F(RecoveryTest, NoLeavesEverythingAndAsksAgain) {
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    const auto afterKill = testing::SnapshotFolder(game_);
    testing::FakeMessageBox messages;
    messages.answers = {MessageAnswer::No};
    OfferGameFolderRestore(program_, messages);
    EXPECT_EQ(testing::SnapshotFolder(game_), afterKill);
    EXPECT_TRUE(fs::exists(program_ / PlayRecord::kFileName));
    messages.answers = {MessageAnswer::No};
    OfferGameFolderRestore(program_, messages);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(RecoveryTest, FilesChangedSinceUnpackingAreKeptAndNamed) {
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    // The game rewrote a map that a mod supplied over the player's own.
    const fs::path map = game_ / "Data" / "maps" / "arcaves.map";
    WriteFile(map, "changed while playing, longer than before");
    testing::FakeMessageBox messages;
    OfferGameFolderRestore(program_, messages);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find("arcaves.map"), std::string::npos);
    EXPECT_EQ(testing::ReadFile(map), Bytes("changed while playing, longer than before"));
    fs::path beside = map;
    beside += ".before-vrel";
    EXPECT_EQ(testing::ReadFile(beside), Bytes("the player's own map"));
    auto after = testing::SnapshotFolder(game_);
    after.erase("Data/maps/arcaves.map.before-vrel");
    after["Data/maps/arcaves.map"] = before.at("Data/maps/arcaves.map");
    EXPECT_EQ(after, before);
}

TEST_F(RecoveryTest, AFileRewrittenWithTheSameSizeIsKeptAndNamed) {
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    // The game rewrote a mod's file with as many bytes: only its time tells.
    const fs::path frm = game_ / "Data" / "art" / "critters" / "c3.frm";
    WriteFile(frm, std::string(700, 'b'));
    fs::last_write_time(frm, fs::last_write_time(frm) + std::chrono::hours(1));
    testing::FakeMessageBox messages;
    OfferGameFolderRestore(program_, messages);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find("c3.frm"), std::string::npos);
    auto after = testing::SnapshotFolder(game_);
    EXPECT_EQ(after["Data/art/critters/c3.frm"], std::string(700, 'b') + "|rw");
    after.erase("Data/art/critters/c3.frm");
    EXPECT_EQ(after, before);
}

TEST(PlayRecordTest, ADamagedOrForeignRecordIsIgnored) {
    testing::TempFolder folder;
    EXPECT_FALSE(ReadPlayRecord(folder.path()));
    WriteFile(folder / PlayRecord::kFileName, "not a record\n");
    EXPECT_FALSE(ReadPlayRecord(folder.path()));
    WriteFile(folder / PlayRecord::kFileName,
              "Vrel play record 1\nwrote\t/x\tnot-a-number\t1\nkeep\t/only-one-field\n");
    EXPECT_FALSE(ReadPlayRecord(folder.path()));  // no game folder
    WriteFile(folder / PlayRecord::kFileName, std::string("Vrel play record 1\ngame\t") +
                                                  (folder / "g").string() +
                                                  "\nwrote\t/x\tbad\t1\nwrite\t");
    const auto play = ReadPlayRecord(folder.path());
    ASSERT_TRUE(play);
    EXPECT_TRUE(play->steps.empty());  // a line cut off by the crash is passed over
}

// The README tells the player the switches as vrel.cfg holds them, and names the question that
// a start asks after a Play was cut short.
TEST(Readme, NamesTheSwitchesAndTheRestoreQuestionAsTheProgramHasThem) {
    std::ifstream in(VREL_README);
    const std::string readme((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    ASSERT_FALSE(readme.empty());
    testing::TempFolder folder;
    VrelCFG config;
    config.cfgGeneral.Sound = true;
    ASSERT_FALSE(config.PutConf(folder / "vrel.cfg"));
    std::ifstream cfg(folder / "vrel.cfg");
    std::string soundOn;
    while (std::getline(cfg, soundOn) && soundOn.rfind("Sound=", 0) != 0) {
    }
    while (!soundOn.empty() && (soundOn.back() == '\r' || soundOn.back() == ' ')) {
        soundOn.pop_back();  // the file's own line ends
    }
    ASSERT_FALSE(soundOn.empty());
    EXPECT_NE(readme.find("`" + soundOn + "`"), std::string::npos) << soundOn;
    EXPECT_NE(readme.find("\"" + std::string(kRestoreQuestionTitle) + "\""), std::string::npos);
}

}  // namespace
}  // namespace vrel
