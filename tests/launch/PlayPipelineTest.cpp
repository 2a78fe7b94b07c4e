#include "launch/PlayPipeline.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>

#include <functional>

#include "DatImage.h"
#include "Fakes.h"
#include "FolderSnapshot.h"
#include "TempFolder.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::WriteFile;

namespace fs = std::filesystem;

class FakeScreens final : public PlayScreens {
public:
    void SetMainWindowVisible(bool visible) override { visibility.push_back(visible); }
    void ShowConflictCheck() override {
        ++conflictChecks;
        if (onConflictCheck) {
            onConflictCheck();
        }
    }
    void ShowWaitingWindow(const std::filesystem::path& gameProgram) override {
        started.push_back(gameProgram);
        ++waits;
        if (whileGameRuns) {
            whileGameRuns();
        }
    }

    std::vector<bool> visibility;
    std::vector<std::filesystem::path> started;
    int conflictChecks = 0;
    int waits = 0;
    std::function<void()> onConflictCheck;
    std::function<void()> whileGameRuns;
};

class PlayPipelineTest : public ::testing::Test {
protected:
    PlayPipelineTest() {
        state_.ProgramFolder = folder_ / "program";
        state_.Config.cfgPath.Fallout2 = (folder_ / "game").string();
        state_.Config.cfgGeneral = {.Sound = true, .DeleteDataFiles = true};
        WriteFile(folder_ / "game" / "Fallout2.exe", "MZ");
        fs::create_directories(folder_ / "game" / "data");
        fs::create_directories(state_.ProgramFolder / "Patches");
    }

    void AddRow(const std::string& name, bool ticked) {
        state_.Mods.Append({name}, state_.Mods.Count() + 1, 0,
                           state_.ProgramFolder / "Patches" / name, ticked, "", nullptr);
    }
    void AddMod(const std::string& name, bool ticked, const std::vector<ImageMember>& members) {
        WriteFile(state_.ProgramFolder / "Patches" / name, BuildDatImage(members));
        AddRow(name, ticked);
    }

    fs::path Data(const std::string& name) const { return folder_ / "game" / "data" / name; }

#ifndef _WIN32
    // A disk that takes no file larger than 100 000 bytes.
    void ClickPlayOnAFullDisk() {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 100'000;
        setrlimit(RLIMIT_FSIZE, &limited);
        pipeline_.cmdPlay_Click();
        setrlimit(RLIMIT_FSIZE, &saved);
    }
#endif

    testing::TempFolder folder_;
    ProgramState state_;
    testing::FakePorts fakes_;
    Ports& ports_ = fakes_.ports;
    testing::FakeProgress progress_;
    FakeScreens screens_;
    PlayPipeline pipeline_{state_, ports_, progress_, screens_};
};

TEST_F(PlayPipelineTest, UnpacksTickedModsForTheGameAndRemovesThemAfterwards) {
    AddRow("patch000.dat", true);
    WriteFile(state_.ProgramFolder / "Patches" / "patch000.dat",
              BuildDatImage({{.Name = "text\\p.msg", .Content = Bytes("patch")}}));
    AddMod("a.dat", true,
           {{.Name = "maps\\a.map", .Content = Bytes("A")},
            {.Name = "shared.txt", .Content = Bytes("from a")}});
    AddMod("b.dat", false, {{.Name = "maps\\b.map", .Content = Bytes("B")}});
    AddMod("c.dat", true, {{.Name = "shared.txt", .Content = Bytes("from c")}});
    bool sawFiles = false;
    screens_.whileGameRuns = [&] {
        sawFiles = ReadFile(Data("maps/a.map")) == Bytes("A") &&
                   ReadFile(Data("shared.txt")) == Bytes("from c") &&
                   fs::exists(Data("text/p.msg")) && !fs::exists(Data("maps/b.map"));
    };

    pipeline_.cmdPlay_Click();
    EXPECT_TRUE(sawFiles);
    EXPECT_EQ(screens_.waits, 1);
    EXPECT_EQ(screens_.conflictChecks, 0);
    EXPECT_EQ(fakes_.sounds.played.size(), 1u);
    EXPECT_EQ(fakes_.sounds.played[0].filename(), "butin3.wav");
    EXPECT_FALSE(fs::exists(Data("maps/a.map")));
    EXPECT_FALSE(fs::exists(Data("shared.txt")));
    EXPECT_FALSE(
        fs::exists(folder_ / "game" / "data" / "maps"));  // created for the mod, removed again
    EXPECT_TRUE(pipeline_.Journal().DataDelList.empty());
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(progress_.caption, "Fallout finished its execution!");
    EXPECT_EQ(progress_.label, "Deleting DATA files...");
    ASSERT_FALSE(screens_.visibility.empty());
    EXPECT_TRUE(screens_.visibility.back());
    EXPECT_FALSE(progress_.visible);
    EXPECT_EQ(progress_.labelRepaints, (std::vector<std::string>{"patch000.dat 1/1", "a.dat 1/2",
                                                                 "a.dat 2/2", "c.dat 1/1"}));
    EXPECT_EQ(progress_.repaints.front(), "Starting...|Initializing Settings|1");
    EXPECT_EQ(progress_.repaints[2], "Patching Fallout...|Processing a.dat|2");
}

TEST_F(PlayPipelineTest, ARelativeGameFolderIsReadAgainstThePatchesFolder) {
    state_.Config.cfgPath.Fallout2 = (fs::path("..") / ".." / "game").string();
    AddMod("a.dat", true, {{.Name = "a.txt", .Content = Bytes("a")}});
    bool sawFile = false;
    screens_.whileGameRuns = [&] { sawFile = ReadFile(Data("a.txt")) == Bytes("a"); };
    const fs::path startedFrom = fs::current_path();
    pipeline_.cmdPlay_Click();
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_TRUE(sawFile);
    ASSERT_EQ(screens_.started.size(), 1u);
    EXPECT_TRUE(fs::equivalent(screens_.started[0], folder_ / "game" / "Fallout2.exe"));
    EXPECT_EQ(fs::current_path(), startedFrom);
}

TEST_F(PlayPipelineTest, NothingTickedStillPlays) {
    AddMod("a.dat", false, {{.Name = "a.txt", .Content = Bytes("a")}});
    pipeline_.cmdPlay_Click();
    EXPECT_EQ(screens_.waits, 1);
    EXPECT_TRUE(progress_.labelRepaints.empty());
    EXPECT_EQ(progress_.repaints.size(), 3u);  // starting, the one item, the clean-up
}

TEST_F(PlayPipelineTest, MissingGameEndsTheProgram) {
    fs::remove(folder_ / "game" / "Fallout2.exe");
    pipeline_.cmdPlay_Click();
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text,
              "Fallout2.exe not found! Check the Fallout 2 path on the options box.");
    EXPECT_EQ(fakes_.messages.shown[0].title, "Can't begin the game!");
    EXPECT_EQ(fakes_.messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(fakes_.lifetime.ended, 1);
    EXPECT_EQ(screens_.waits, 0);
}

TEST_F(PlayPipelineTest, CancelInTheConflictWindowStopsBeforeAnything) {
    state_.Config.cfgGeneral.CheckConflicts = true;
    state_.CommandLine = "-d";
    AddMod("a.dat", true, {{.Name = "a.txt", .Content = Bytes("a")}});
    screens_.onConflictCheck = [&] { state_.CancelPlay = true; };
    pipeline_.cmdPlay_Click();
    EXPECT_EQ(screens_.conflictChecks, 1);
    EXPECT_FALSE(state_.CancelPlay);
    EXPECT_TRUE(fakes_.messages.shown.empty());  // the debug question comes after the check
    EXPECT_EQ(screens_.waits, 0);
    EXPECT_FALSE(fs::exists(Data("a.txt")));
    EXPECT_TRUE(screens_.visibility.empty());
}

TEST_F(PlayPipelineTest, DebugYesSkipsUnpackingAndKeepsTheMainWindow) {
    state_.CommandLine = "-debug";
    AddMod("a.dat", true, {{.Name = "a.txt", .Content = Bytes("a")}});
    fakes_.messages.answers = {MessageAnswer::Yes};
    pipeline_.cmdPlay_Click();
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text, "Skip DAT-unpack process and run Fallout directly?");
    EXPECT_EQ(fakes_.messages.shown[0].title, "Debug question");
    EXPECT_EQ(screens_.waits, 1);
    EXPECT_FALSE(fs::exists(Data("a.txt")));
    EXPECT_TRUE(progress_.labelRepaints.empty());
}

TEST_F(PlayPipelineTest, WithDeleteDataFilesOffTheModFilesStay) {
    state_.Config.cfgGeneral.DeleteDataFiles = false;
    AddMod("a.dat", true, {{.Name = "a.txt", .Content = Bytes("a")}});
    pipeline_.cmdPlay_Click();
    EXPECT_EQ(ReadFile(Data("a.txt")), Bytes("a"));
    EXPECT_TRUE(pipeline_.Journal().DataDelList.empty());
    EXPECT_NE(progress_.caption, "Fallout finished its execution!");
    EXPECT_TRUE(screens_.visibility.back());
}

TEST_F(PlayPipelineTest, ProblemsAreListedOnceAfterUnpackingAndTheGameStillRuns) {
    std::vector<ImageMember> members;
    for (int i = 0; i < 25; ++i) {
        members.push_back({.Name = "..\\evil" + std::to_string(i), .Content = Bytes("x")});
    }
    members.push_back({.Name = "fine.txt", .Content = Bytes("ok")});
    // A tab would stand in the message as it is: shown as its picture, with the reason.
    members[0].Name = "a\tb.txt";
    AddMod("bad.dat", true, members);
    bool sawFine = false;
    screens_.whileGameRuns = [&] { sawFine = fs::exists(Data("fine.txt")); };
    pipeline_.cmdPlay_Click();
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    const std::string& text = fakes_.messages.shown[0].text;
    EXPECT_NE(text.find("bad.dat: ..\\evil19"), std::string::npos);
    EXPECT_NE(text.find("bad.dat: a\u2409b.txt (the name holds a control character"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("evil20"), std::string::npos);
    EXPECT_NE(text.find("...and 5 more."), std::string::npos);
    EXPECT_TRUE(sawFine);
    EXPECT_EQ(screens_.waits, 1);
    EXPECT_FALSE(fs::exists(Data("fine.txt")));
}

TEST_F(PlayPipelineTest, ASecondPlayNeverDeletesTheFirstPlaysPathsAgain) {
    AddMod("a.dat", true, {{.Name = "a.txt", .Content = Bytes("a")}});
    pipeline_.cmdPlay_Click();
    state_.Mods.SetTicked(1, false);
    WriteFile(Data("a.txt"), "the user's file, made between two plays");
    pipeline_.cmdPlay_Click();
    EXPECT_EQ(ReadFile(Data("a.txt")), Bytes("the user's file, made between two plays"));
}

#ifndef _WIN32  // a full disk is made with a file size limit, which Windows lacks
TEST_F(PlayPipelineTest, AFullDiskStopsThePlayAndLeavesTheGameFolderAsItWas) {
    WriteFile(Data("maps/own.map"), "the player's own");
    const auto before = testing::SnapshotFolder(folder_ / "game");
    AddMod("a.dat", true,
           {{.Name = "maps\\own.map", .Content = Bytes("mod map")},
            {.Name = "newfolder\\small.txt", .Content = Bytes("small")},
            {.Name = "big.bin",
             .Content = Bytes(std::string(300'000, 'b')),
             .Storage = MemberStorage::Compressed},
            {.Name = "after.txt", .Content = Bytes("after")}});
    ClickPlayOnAFullDisk();

    EXPECT_EQ(screens_.waits, 0);  // the game was not started
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_NE(fakes_.messages.shown[0].text.find("big.bin"), std::string::npos);
    EXPECT_EQ(testing::SnapshotFolder(folder_ / "game"), before);
    EXPECT_TRUE(screens_.visibility.back());
    EXPECT_FALSE(fs::exists(state_.ProgramFolder / PlayRecord::kFileName));
}

TEST_F(PlayPipelineTest, AFailedPlayRemovesOnlyWhatItWroteItself) {
    state_.Config.cfgGeneral.DeleteDataFiles = false;
    AddMod("kept.dat", true, {{.Name = "maps\\kept.map", .Content = Bytes("stays")}});
    pipeline_.cmdPlay_Click();
    ASSERT_EQ(screens_.waits, 1);
    state_.Mods.SetTicked(1, false);
    AddMod("big.dat", true,
           {{.Name = "maps\\small.map", .Content = Bytes("small")},
            {.Name = "big.bin",
             .Content = Bytes(std::string(300'000, 'b')),
             .Storage = MemberStorage::Compressed}});
    progress_.caption.clear();
    ClickPlayOnAFullDisk();

    EXPECT_EQ(screens_.waits, 1);  // the second game was not started
    EXPECT_EQ(ReadFile(Data("maps/kept.map")), Bytes("stays"));
    EXPECT_FALSE(fs::exists(Data("maps/small.map")));
    EXPECT_FALSE(fs::exists(Data("big.bin")));
    EXPECT_NE(progress_.caption, "Fallout finished its execution!");  // no game ran
    EXPECT_TRUE(screens_.visibility.back());
}
#endif

}  // namespace
}  // namespace vrel
