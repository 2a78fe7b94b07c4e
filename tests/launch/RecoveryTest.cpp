#include "launch/Recovery.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <thread>

#include "DatImage.h"
#include "Fakes.h"
#include "FolderSnapshot.h"
#include "ModListBuilder.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "config/DataFolders.h"
#include "config/VrelCFG.h"
#include "launch/PlayLock.h"
#include "launch/PlayPipeline.h"
#include "launch/PlayRecord.h"
#include "state/ModListing.h"

extern char** environ;

namespace vrel {
namespace {

using testing::Bytes;
using testing::WriteFile;

namespace fs = std::filesystem;

// Starts the child; its process id, or 0.
pid_t StartChild(const fs::path& program, const fs::path& game, const std::string& point) {
    std::string child = VREL_PLAY_CHILD;
    std::vector<std::string> arguments = {child, program.string(), game.string(), point};
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// True when the child ended by SIGKILL.
bool EndedKilled(pid_t pid) {
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGKILL;
}

// Runs the child; true when it ended by SIGKILL.
bool RunKilled(const fs::path& program, const fs::path& game, const std::string& point) {
    return EndedKilled(StartChild(program, game, point));
}

// The waiting window of an in-process Play: the game "runs" while `whileGameRuns` does.
class InProcessScreens final : public PlayScreens {
public:
    void SetMainWindowVisible(bool) override {}
    void ShowConflictCheck() override {}
    void ShowWaitingWindow(const fs::path&) override {
        ++waits;
        if (whileGameRuns) {
            whileGameRuns();
        }
    }

    int waits = 0;
    std::function<void()> whileGameRuns;
};

class RecoveryTest : public ::testing::Test {
protected:
    RecoveryTest() {
        MakeGame();
        MakePatches();
        state_.Config.cfgGeneral = {.DeleteDataFiles = true};
        Place();
    }

    // Where the game and the program folder are, for the Play and for the restore.
    void Place() {
        record_ = program_ / PlayRecord::kFileName;
        state_.ProgramFolder = program_;
        state_.Config.cfgPath.Fallout2 = game_.string();
    }

    // Moves `folder` (game_ or program_) to a small disk of its own, empty, so that a test can fill
    // it up.
    bool OnASmallDisk(fs::path& folder) {
        disk_.emplace(8 << 20, 400);
        if (!disk_->Mounted()) {
            return false;
        }
        folder = disk_->path();
        Place();
        return true;
    }

    void MakeGame() {
        fs::create_directories(game_);
        CreateDataFolders(game_.string());
        fs::copy_file(VREL_STANDIN_GAME, game_ / "Fallout2.exe");
        WriteFile(game_ / "Data" / "maps" / "arcaves.map", "the player's own map");
        WriteFile(Proto(), "the player's own proto");
        fs::permissions(Proto(), fs::perms::owner_read);
    }

    void MakePatches() {
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

    fs::path Proto() const { return game_ / "Data" / "proto" / "items" / "00000009.pro"; }

    // Takes every free inode of the disk holding `folder` but `left`.
    static void FillDisk(const fs::path& folder, int left) {
        const fs::path filler = folder / "filler";
        fs::create_directory(filler);
        int count = 0;
        for (;; ++count) {
            const int fd =
                open((filler / std::to_string(count)).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
            if (fd < 0) {
                ASSERT_EQ(errno, ENOSPC);
                break;
            }
            close(fd);
        }
        for (int i = 1; i <= left; ++i) {
            fs::remove(filler / std::to_string(count - i));
        }
    }

    // Takes all free space of the disk holding `folder` but `left` bytes.
    static void FillSpace(const fs::path& folder, off_t left) {
        const int fd = open((folder / "space").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'x');
        off_t size = 0;
        for (ssize_t written = 0; (written = write(fd, block.data(), block.size())) > 0;) {
            size += written;
        }
        ASSERT_EQ(errno, ENOSPC);
        ASSERT_EQ(ftruncate(fd, size - left), 0);
        close(fd);
    }

    // A Play with every archive in Patches ticked.
    void Play() {
        testing::TickEveryArchive(state_);
        pipeline_->cmdPlay_Click();
    }

    // Answers the question at the next start: this run of Vrel has ended.
    testing::FakeMessageBox RestoreAtTheNextStart(MessageAnswer answer = MessageAnswer::Yes) {
        pipeline_.emplace(state_, fakes_.ports, progress_, screens_);
        testing::FakeMessageBox messages;
        messages.answers = {answer};
        OfferGameFolderRestore(program_, messages);
        return messages;
    }

    // While the game runs, a folder comes to stand where the player's proto must go back.
    void BlockTheProtoWhileTheGameRuns() {
        screens_.whileGameRuns = [this] {
            fs::remove(Proto());
            WriteFile(Proto() / "blocker", "in the way");
        };
    }

    testing::TempFolder folder_;
    fs::path program_ = folder_ / "program";
    fs::path game_ = folder_ / "game";
    fs::path record_;
    std::optional<testing::SmallDisk> disk_;
    ProgramState state_;
    testing::FakePorts fakes_;
    testing::FakeProgress progress_;
    InProcessScreens screens_;
    std::optional<PlayPipeline> pipeline_{std::in_place, state_, fakes_.ports, progress_, screens_};
};

// A second Vrel, started while the first one's game ran, offered to restore the live record: its
// Yes put the player's map back, and the first one's clean-up then deleted it. A Play from another
// program folder into the same game folder did the same. The locks go with a killed Vrel.
TEST_F(RecoveryTest, WhileAnotherVrelPlaysNothingIsOfferedOrTouched) {
    const auto before = testing::SnapshotFolder(game_);
    const pid_t first = StartChild(program_, game_, "hold");
    for (int status = 0; !fs::exists(program_ / "holding");) {
        ASSERT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first Play ended too soon";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto playing = testing::SnapshotFolder(game_);
    const auto second = RestoreAtTheNextStart();
    const fs::path firstProgram = program_;
    program_ = folder_ / "second";
    Place();
    MakePatches();
    Play();
    EXPECT_EQ(screens_.waits, 0);
    for (const auto& shown : {second.shown, fakes_.messages.shown}) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text.rfind("Fallout 2 is being played from ", 0), 0u) << shown[0].text;
    }
    EXPECT_EQ(testing::SnapshotFolder(game_), playing);

    kill(first, SIGKILL);
    ASSERT_TRUE(EndedKilled(first));
    program_ = firstProgram;
    const auto messages = RestoreAtTheNextStart();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
}

// A full program folder cut a record line part-way, after the player's map's name in the line of
// a mod's file named longer: the restore took what reached the disk as a whole line and deleted
// the map. The game folder's path is as long as it takes for the record's last page to end there.
TEST_F(RecoveryTest, ARecordLineCutByAFullDiskIsNotRead) {
    if (!OnASmallDisk(program_)) {
        GTEST_SKIP() << disk_->Why();
    }
    const std::string map = "/Data/maps/desert.map";
    const std::size_t lines = std::string("Vrel play record 2\ngame\t\nwrite\t").size();
    const std::size_t length = (4096 - lines - map.size()) / 2;
    game_ = folder_ / "game";
    for (const std::size_t room = 200; game_.string().size() + 1 + room < length;) {
        game_ /= std::string(room, 'g');
    }
    game_ /= std::string(length - game_.string().size() - 1, 'g');
    ASSERT_EQ(lines + 2 * game_.string().size() + map.size(), 4096u);
    Place();
    MakeGame();
    WriteFile(game_.string() + map, "the player's own desert");
    WriteFile(program_ / "Patches" / "cut.dat",
              BuildDatImage({{.Name = "maps\\desert.map1", .Content = Bytes("mod")}}));
    const auto before = testing::SnapshotFolder(game_);
    FillSpace(program_, 4096);
    ASSERT_TRUE(RunKilled(program_, game_, "clean"));
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
}

// Killed before each call that changes a file, in turn, of a Play (its clean-up putting the kept
// files back too) and then of a restore: the next start's restore leaves the game folder byte for
// byte as it was. A few members of each kind keep the sweep short.
TEST_F(RecoveryTest, AKillBeforeAnyFileCallIsUndoneAtTheNextStart) {
    for (const char* name : {"a.dat", "b.dat"}) {
        WriteFile(program_ / "Patches" / name,
                  BuildDatImage({{.Name = "maps\\arcaves.map", .Content = Bytes(name)},
                                 {.Name = "proto\\items\\00000009.pro", .Content = Bytes(name)},
                                 {.Name = std::string("new\\") + name, .Content = Bytes(name)}}));
    }
    const auto before = testing::SnapshotFolder(game_);
    int call = 1;
    for (; RunKilled(program_, game_, "call:" + std::to_string(call)); ++call) {
        RestoreAtTheNextStart();
        ASSERT_EQ(testing::SnapshotFolder(game_), before) << "killed before file call " << call;
    }
    EXPECT_GT(call, 30) << "the calls were not counted";
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    int restoreCall = 1;
    for (; RunKilled(program_, game_, "game"); ++restoreCall) {
        if (!RunKilled(program_, game_, "restore:" + std::to_string(restoreCall))) {
            break;
        }
        // Nor does it take the player's files, put back by the restore cut short, for changed.
        for (const MessageRequest& shown : RestoreAtTheNextStart().shown) {
            EXPECT_EQ(shown.text.find("were changed"), std::string::npos) << restoreCall;
        }
        ASSERT_EQ(testing::SnapshotFolder(game_), before) << "restore killed at " << restoreCall;
    }
    EXPECT_GT(restoreCall, 5) << "the restore's calls were not counted";
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    EXPECT_FALSE(fs::exists(record_));
}

TEST_F(RecoveryTest, NoLeavesEverythingAndAsksAgain) {
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    auto afterKill = testing::SnapshotFolder(game_);
    afterKill.erase(kGameLockName);  // the killed Vrel's lock, taken over and let go
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

    // Once more: the name beside is taken now, so the next one is.
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    WriteFile(map, "changed again");
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::ReadFile(map), Bytes("changed again"));
    EXPECT_EQ(testing::ReadFile(map.string() + ".before-vrel-2"),
              Bytes("changed while playing, longer than before"));
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

// A name with a tab or a line end would have split the record's lines: the restore then deleted
// the player's saved game, named by the first half of the mod's member.
TEST_F(RecoveryTest, NamesWithControlCharactersAreNotUnpackedAndCannotForgeTheRecord) {
    const fs::path save = game_ / "Data" / "SAVEGAME" / "SLOT01" / "SAVE.DAT";
    WriteFile(save, "the player's saved game");
    WriteFile(program_ / "Patches" / "c.dat",
              BuildDatImage({{.Name = "SAVEGAME\\SLOT01\\SAVE.DAT\tx", .Content = Bytes("mod")},
                             {.Name = "text\\a\nwrite\tSAVEGAME", .Content = Bytes("mod")}}));
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
}

// A record names places outside its game folder only when it was forged or damaged: the restore
// lists them and touches none.
TEST_F(RecoveryTest, TheRestoreTouchesNothingOutsideTheGameFolder) {
    WriteFile(program_ / "vrel.cfg", "the settings");
    const fs::path elsewhere = folder_ / "elsewhere";
    WriteFile(elsewhere / "file", "someone's file");
    const auto before = testing::SnapshotFolder(folder_.path());
    const std::string game = game_.string();
    WriteFile(record_,
              "Vrel play record 1\ngame\t" + game + "\nwrite\t" + (program_ / "vrel.cfg").string() +
                  "\nwrite\t" + game + "/../program/vrel.cfg\nwrite\tvrel.cfg\nkeep\t" + game +
                  "/Data/maps/arcaves.map\t" + (elsewhere / "file").string() + "\nfolder\t" +
                  (elsewhere / "file").string() + "\nfolder\t" + game + "\n");
    const auto messages = RestoreAtTheNextStart();
    auto after = testing::SnapshotFolder(folder_.path());
    after.erase("program/" + std::string(PlayRecord::kFileName));
    EXPECT_EQ(after, before);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find("outside the game folder"), std::string::npos);
    EXPECT_NE(messages.shown[1].text.find((program_ / "vrel.cfg").string()), std::string::npos);
}

// On a full disk the member's file cannot be created after the player's was moved aside: the
// player's goes back, and a restore after a kill leaves it, also when the kill came before the
// move or before the move back was noted.
TEST_F(RecoveryTest, AFileThatCouldNotBeReplacedIsNotDeletedByTheRestore) {
    if (!OnASmallDisk(game_)) {
        GTEST_SKIP() << disk_->Why();
    }
    MakeGame();
    fs::remove(program_ / "Patches" / "a.dat");
    fs::remove(program_ / "Patches" / "b.dat");
    WriteFile(program_ / "Patches" / "map.dat",
              BuildDatImage({{.Name = "maps\\arcaves.map", .Content = Bytes("mod map")}}));
    FillDisk(game_, 3);  // room for the lock and the kept-files folders, none for the mod's file
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    EXPECT_EQ(testing::SnapshotFolder(game_).at("Data/maps/arcaves.map"),
              before.at("Data/maps/arcaves.map"));

    std::ifstream in(record_, std::ios::binary);
    const std::string full((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Killed right after the line for the move aside, and right after the move back.
    const std::string keepNoted = full.substr(0, full.find("\nwrite\t") + 1);
    const std::string unnoted = full.substr(0, full.find("\nback\t") + 1);
    ASSERT_NE(unnoted, full) << "the move back is not recorded";
    for (const std::string& record : {keepNoted, unnoted, full}) {
        WriteFile(record_, record);
        RestoreAtTheNextStart();
        auto after = testing::SnapshotFolder(game_);
        EXPECT_EQ(after, before);
    }
}

// A kept file that cannot go back (a folder stands in its place) waits aside: a second Play in the
// same run gave its own kept file the same name and replaced it, and a restore that read a file put
// back as still to be deleted removed the player's map.
TEST_F(RecoveryTest, AKeptFileThatCannotGoBackOutlivesTheNextPlayAndIsRestoredLater) {
    const auto before = testing::SnapshotFolder(game_);
    BlockTheProtoWhileTheGameRuns();
    Play();
    ASSERT_TRUE(fs::exists(record_));
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);  // the player is told
    EXPECT_NE(fakes_.messages.shown[0].text.find(Proto().string()), std::string::npos);
    screens_.whileGameRuns = nullptr;
    Play();
    EXPECT_EQ(screens_.waits, 2);

    fs::remove_all(Proto());
    const auto messages = RestoreAtTheNextStart();
    EXPECT_EQ(messages.shown[0].text.rfind("The last game ended, but", 0), 0u);  // not "closed"
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    EXPECT_FALSE(fs::exists(record_));
    EXPECT_EQ(messages.shown.back().text, "Done, the game folder is as it was before you played.");
}

// The player's newer copy of a file that waits aside, kept by a later Play of the same run, went
// back and was then deleted to give way to the older copy.
TEST_F(RecoveryTest, AFileKeptTwiceComesBackAsItsNewestCopy) {
    BlockTheProtoWhileTheGameRuns();
    Play();
    screens_.whileGameRuns = nullptr;
    fs::remove_all(Proto());
    WriteFile(Proto(), "the player's newer proto");
    Play();
    EXPECT_EQ(testing::ReadFile(Proto()), Bytes("the player's newer proto"));
}

// Making a folder failed on a full disk after its line was written: the restore then deleted the
// player's file that came to stand under the folder's name.
TEST_F(RecoveryTest, TheRestoreRemovesOnlyEmptyFoldersNeverAFile) {
    if (!OnASmallDisk(game_)) {
        GTEST_SKIP() << disk_->Why();
    }
    MakeGame();
    fs::remove(program_ / "Patches" / "a.dat");
    WriteFile(program_ / "Patches" / "a.dat",
              BuildDatImage({{.Name = "newstuff\\notes.txt", .Content = Bytes("mod")}}));
    FillDisk(game_, 1);  // room for the lock alone
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    fs::remove_all(game_ / "filler");
    WriteFile(game_ / "Data" / "newstuff", "the player's own file");
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::ReadFile(game_ / "Data" / "newstuff"), Bytes("the player's own file"));
}

// The clean-up could not delete a mod's map from a folder made read-only (for root too, by a
// read-only bind mount of itself) and noted it as gone: the restore then left it there.
TEST_F(RecoveryTest, AFileTheCleanUpCouldNotDeleteIsRemovedByTheRestore) {
    const auto before = testing::SnapshotFolder(game_);
    const std::string maps = (game_ / "Data" / "maps").string();
    bool readOnly = false;
    screens_.whileGameRuns = [&] {
        readOnly =
            mount(maps.c_str(), maps.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
            mount(nullptr, maps.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    };
    Play();
    umount2(maps.c_str(), MNT_DETACH);
    if (!readOnly) {
        GTEST_SKIP() << "a read-only folder cannot be mounted here";
    }
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
}

// Play writes through a link that leads inside the game folder (data -> Data, common on Linux); the
// restore called every path through it "outside", left the mod's files and the player's kept map.
TEST_F(RecoveryTest, ALinkInsideTheGameFolderIsInsideForTheRestoreToo) {
    fs::create_directory_symlink("Data", game_ / "data");
    fs::remove(program_ / "Patches" / "b.dat");
    WriteFile(program_ / "Patches" / "b.dat",
              BuildDatImage({{.Name = "Data\\maps\\arcaves.map", .Content = Bytes("mod map")}}));
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    // The player's map alone is kept (in a folder of the Play's), not the first mod's map as well.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(game_ / ".vrel-kept"), {}), 2);
    const auto messages = RestoreAtTheNextStart();
    EXPECT_EQ(messages.shown.back().text, "Done, the game folder is as it was before you played.");
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
}

// Through a .vrel-kept that is a link, Play moved the player's files out of the game folder, and
// after a kill no restore brought them back; now Play leaves them and says why. The clean-up made
// a read-only file outside writable through a link the game had left in a mod file's place.
TEST_F(RecoveryTest, NoLinkTakesAPlayOutOfTheGameFolder) {
    const fs::path elsewhere = folder_ / "elsewhere";
    fs::create_directory(elsewhere);
    fs::create_directory_symlink(elsewhere, game_ / ".vrel-kept");
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    RestoreAtTheNextStart();
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    WriteFile(folder_ / "outside", "read-only");
    fs::permissions(folder_ / "outside", fs::perms::owner_read);
    const fs::path frm = game_ / "Data" / "art" / "critters" / "c0.frm";
    screens_.whileGameRuns = [&] { fs::remove(frm), fs::create_symlink(folder_ / "outside", frm); };
    Play();
    EXPECT_EQ(fs::status(folder_ / "outside").permissions(), fs::perms::owner_read);
    EXPECT_NE(fakes_.messages.shown.at(0).text.find(".vrel-kept, where Vrel keeps your files"),
              std::string::npos);
}

// With the switch off the player keeps the unpacked files: a record still open for an earlier
// Play's kept file must not make a restore delete them.
TEST_F(RecoveryTest, FilesUnpackedWithDeleteDataFilesOffOutliveALaterRestore) {
    BlockTheProtoWhileTheGameRuns();
    Play();
    ASSERT_TRUE(fs::exists(record_));
    state_.Config.cfgGeneral.DeleteDataFiles = false;
    screens_.whileGameRuns = nullptr;
    Play();
    const fs::path frm = game_ / "Data" / "art" / "critters" / "c0.frm";
    ASSERT_TRUE(fs::exists(frm));

    fs::remove_all(Proto());
    RestoreAtTheNextStart();
    EXPECT_EQ(testing::ReadFile(frm), Bytes(std::string(700, 'a')));
    EXPECT_EQ(testing::ReadFile(Proto()), Bytes("the player's own proto"));
}

// Answering No at start left the record; the next Play cut it and with it the way back.
TEST_F(RecoveryTest, APlayAsksAgainAndNeverCutsTheRecordOfAPlayCutShort) {
    const auto before = testing::SnapshotFolder(game_);
    ASSERT_TRUE(RunKilled(program_, game_, "game"));
    RestoreAtTheNextStart(MessageAnswer::No);
    const auto afterKill = testing::SnapshotFolder(game_);
    const auto record = testing::ReadFile(record_);

    fakes_.messages.answers = {MessageAnswer::No};
    Play();
    EXPECT_EQ(screens_.waits, 0);
    ASSERT_EQ(fakes_.messages.shown.size(), 2u);
    EXPECT_EQ(fakes_.messages.shown[0].title, "Restore the game folder?");
    EXPECT_EQ(fakes_.messages.shown[1].title, "Can't begin the game!");
    EXPECT_EQ(testing::SnapshotFolder(game_), afterKill);
    EXPECT_EQ(testing::ReadFile(record_), record);

    fakes_.messages.answers = {MessageAnswer::Yes};
    Play();
    EXPECT_EQ(screens_.waits, 1);
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
    EXPECT_FALSE(fs::exists(record_));
}

// Without its record a Play could not put the player's files back after a crash: with no room for
// the record at all, or room for its first lines only, the game does not start and nothing stays.
TEST_F(RecoveryTest, WithoutRoomForTheRecordTheGameDoesNotStart) {
    if (!OnASmallDisk(program_)) {
        GTEST_SKIP() << disk_->Why();
    }
    MakePatches();
    const auto before = testing::SnapshotFolder(game_);
    FillDisk(program_, 0);
    Play();
    fs::remove_all(program_ / "filler");
    FillSpace(program_, 4096);
    Play();

    EXPECT_EQ(screens_.waits, 0);
    ASSERT_EQ(fakes_.messages.shown.size(), 2u);
    for (const MessageRequest& shown : fakes_.messages.shown) {
        EXPECT_EQ(shown.title, "Can't begin the game!");
        EXPECT_NE(shown.text.find(PlayRecord::kFileName), std::string::npos) << shown.text;
    }
    EXPECT_EQ(testing::SnapshotFolder(game_), before);
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
    ASSERT_TRUE(config.PutConf(folder / "vrel.cfg"));
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
