#include "app/Startup.h"

#include <gtest/gtest.h>

#include "DatImage.h"
#include "Fakes.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "app/ModOrder.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "base/NameCase.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::TempFolder;
using testing::WriteFile;

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        config_.cfgPath.Fallout2 = (folder_ / "game").string();
        std::filesystem::create_directories(folder_ / "game");
        std::filesystem::create_directories(folder_ / "program");
    }

    std::filesystem::path Program() const { return folder_ / "program"; }
    std::filesystem::path Game() const { return folder_ / "game"; }

    void AddMod(const std::string& name, std::vector<ImageMember> members) {
        WriteFile(Program() / "Patches" / DisplayToPath(name), BuildDatImage(members));
    }

    StartupResult Run() {
        StartupContext context{config_, Program(), messages_, lifetime_, progress_};
        return LoadMods(context, dats_);
    }

    TempFolder folder_;
    VrelCFG config_;
    testing::FakeMessageBox messages_;
    testing::FakeLifetime lifetime_;
    testing::FakeProgress progress_;
    ModList dats_;
};

TEST_F(StartupTest, PatchInTheMiddleAndInCapitalsComesFirst) {
    config_.cfgGeneral.LoadModDesc = true;
    AddMod("a.dat", {{.Name = "amoddesc.qrd", .Content = Bytes("Mod A")},
                     {.Name = "Art\\A.FRM", .Content = Bytes("1")}});
    AddMod("b.dat", {{.Name = "maps\\b.map", .Content = Bytes("2")}});
    WriteFile(Program() / "Patches" / "PATCH000.DAT", "not read");
    AddMod("z.dat", {});

    const StartupResult result = Run();
    ASSERT_FALSE(result.Ended);
    ASSERT_EQ(dats_.Count(), 4);
    EXPECT_EQ(dats_.Row(1).Name, "PATCH000.DAT");
    EXPECT_TRUE(dats_.Ticked(1));
    EXPECT_EQ(dats_.Row(2).Name, "a.dat");
    EXPECT_EQ(dats_.Row(3).Name, "b.dat");
    EXPECT_EQ(dats_.Row(4).Name, "z.dat");
    EXPECT_FALSE(dats_.Ticked(2) || dats_.Ticked(3) || dats_.Ticked(4));

    ASSERT_EQ(dats_.Count(), 4);
    EXPECT_EQ(dats_.Item(1).FilesTotal, kPatchFilesTotal);
    EXPECT_EQ(dats_.Item(1).ModDesc, kPatchDescription);
    EXPECT_TRUE(dats_.Item(1).Selected);
    EXPECT_EQ(dats_.Item(1).Files->Count(), 0);
    EXPECT_EQ(dats_.Item(2).ModDesc, "Mod A");
    EXPECT_EQ(dats_.Item(2).Index, 1);
    EXPECT_EQ(dats_.Item(2).Files->Item(2).FullPath, "art\\a.frm");
    EXPECT_EQ(dats_.Item(3).Files->Item(1).FullPath, "maps\\b.map");
    EXPECT_EQ(dats_.Item(3).ModDesc, kNoDescription);
    EXPECT_EQ(dats_.Item(4).Index, 4);
    EXPECT_EQ(dats_.Item(4).Files->Count(), 0);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_FALSE(dats_.Item(i).Selected);
    }
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(std::filesystem::is_directory(Game() / "Data" / "art" / "critters"));
    EXPECT_EQ(progress_.label, "Adding DATs...");
    EXPECT_EQ(progress_.maximum, 4);
    EXPECT_EQ(progress_.value, 4);
}

TEST_F(StartupTest, DescriptionsOffLeaveThemEmpty) {
    AddMod("a.dat", {{.Name = "amoddesc.qrd", .Content = Bytes("Mod A")}});
    WriteFile(Program() / "Patches" / "patch000.dat", "x");
    Run();
    EXPECT_EQ(dats_.Item(2).ModDesc, "");
}

TEST_F(StartupTest, MissingPatchesFolderIsCreatedThenThePatchIsAskedFor) {
    WriteFile(Game() / "patch000.dat", "the game's patch");
    messages_.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Yes};
    const StartupResult result = Run();
    ASSERT_FALSE(result.Ended);
    ASSERT_EQ(messages_.shown.size(), 3u);
    EXPECT_EQ(messages_.shown[0].text,
              "The 'Patches' folder was not found, I'm going to create one right now.");
    EXPECT_EQ(messages_.shown[1].title, "Moving Mods");
    EXPECT_EQ(messages_.shown[1].buttons, MessageButtons::OkCancel);
    EXPECT_NE(
        messages_.shown[1].text.find((Program() / "Patches").string() + ". You can do it now"),
        std::string::npos);
    EXPECT_EQ(messages_.shown[2].title, "Information");
    EXPECT_NE(messages_.shown[2].text.find(
                  "Please move it from your Fallout 2 folder to there.\r\rDo you want"),
              std::string::npos);
    // Moved: the copy is in Patches and the game folder keeps none.
    EXPECT_EQ(testing::ReadFile(Program() / "Patches" / "Patch000.dat"), Bytes("the game's patch"));
    EXPECT_FALSE(std::filesystem::exists(Game() / "patch000.dat"));
    ASSERT_EQ(dats_.Count(), 1);
    EXPECT_EQ(dats_.Row(1).Name, "Patch000.dat");

    ReportSingleDat(messages_, static_cast<std::size_t>(dats_.Count()), Program());
    EXPECT_EQ(messages_.shown.back().title, "Move your mods!");
    EXPECT_NE(messages_.shown.back().text.find("\r\rThe entire path is: "), std::string::npos);
    const std::string patches =
        (std::filesystem::path("/") / "Patches" / "").make_preferred().string();
    EXPECT_NE(messages_.shown.back().text.find(" the " + patches + " folder"), std::string::npos);
}

TEST_F(StartupTest, CancelAtThePatchesFolderEnds) {
    messages_.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    EXPECT_TRUE(Run().Ended);
    EXPECT_EQ(lifetime_.ended, 1);
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(Program() / "Patches"));
}

TEST_F(StartupTest, NoToMovingThePatchEndsAndTouchesNothing) {
    std::filesystem::create_directories(Program() / "Patches");
    WriteFile(Game() / "Patch000.dat", "p");
    messages_.answers = {MessageAnswer::No};
    EXPECT_TRUE(Run().Ended);
    EXPECT_EQ(lifetime_.ended, 1);
    EXPECT_TRUE(std::filesystem::exists(Game() / "Patch000.dat"));
    EXPECT_FALSE(std::filesystem::exists(Game() / "Data"));
}

TEST_F(StartupTest, FailedMoveKeepsTheOriginalAndEnds) {
    std::filesystem::create_directories(Program() / "Patches");
    messages_.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(Run().Ended);  // the game folder has no patch to move
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(
        messages_.shown[1].text.rfind("An error occured while trying to move patch000.dat!", 0),
        0u);
    EXPECT_EQ(messages_.shown[1].title, "Vrel");
    EXPECT_EQ(lifetime_.ended, 1);
}

// Patches on a disk too small for the copy: the player's patch stays whole where it was.
TEST_F(StartupTest, AMoveThatCannotBeWrittenKeepsThePlayersPatchWhole) {
    testing::SmallDisk disk(64 << 10, 8);
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    std::filesystem::create_directories(disk / "Patches");
    std::vector<std::uint8_t> patch(256 << 10);
    for (std::size_t i = 0; i < patch.size(); ++i) {
        patch[i] = static_cast<std::uint8_t>(i * 7);
    }
    WriteFile(Game() / "patch000.dat", patch);
    messages_.answers = {MessageAnswer::Yes};
    StartupContext context{config_, disk.path(), messages_, lifetime_, progress_};

    EXPECT_TRUE(LoadMods(context, dats_).Ended);
    EXPECT_EQ(testing::ReadFile(Game() / "patch000.dat"), patch);
    EXPECT_TRUE(std::filesystem::is_empty(disk / "Patches"));
}

TEST_F(StartupTest, OneMalformedArchiveAmongGoodOnesIsReportedOnce) {
    WriteFile(Program() / "Patches" / "patch000.dat", "x");
    AddMod("a.dat", {{.Name = "a.txt", .Content = Bytes("a")}});
    auto broken = BuildDatImage({{.Name = "one.txt", .Content = Bytes("1")},
                                 {.Name = "two.txt", .Content = Bytes("2"), .NameLen = 9999}});
    WriteFile(Program() / "Patches" / "broken.dat", broken);
    WriteFile(Program() / "Patches" / "tiny.dat", "abc");
    AddMod("c.dat", {{.Name = "c.txt", .Content = Bytes("c")}});

    ASSERT_FALSE(Run().Ended);
    ASSERT_EQ(dats_.Count(), 5);
    ASSERT_EQ(dats_.Count(), 5);
    EXPECT_EQ(dats_.Row(3).Name, "broken.dat");
    EXPECT_EQ(dats_.Item(3).Files->Count(), 1);  // the name read before the damage
    EXPECT_EQ(dats_.Item(3).Files->Item(1).FullPath, "one.txt");
    EXPECT_EQ(dats_.Item(4).Files->Item(1).FullPath, "c.txt");
    EXPECT_EQ(dats_.Row(5).Name, "tiny.dat");
    EXPECT_EQ(dats_.Item(5).Files->Count(), 0);
    EXPECT_TRUE(dats_.Row(3).Damage && dats_.Row(5).Damage);

    ReportDamagedArchives(messages_, dats_);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].text.find("broken.dat"), std::string::npos);
    EXPECT_NE(messages_.shown[0].text.find("tiny.dat"), std::string::npos);
    ReportDamagedArchives(messages_, ModList());
    EXPECT_EQ(messages_.shown.size(), 1u);
}

// The order file as a player leaves it after editing it by hand: a byte-order mark, Windows line
// ends, blanks, a mod since deleted, names in other letter case (also beyond ASCII), the patch.
// The mods it names come first in its order, the others after them in name order; the next save
// drops the deleted mod.
TEST_F(StartupTest, AHandEditedOrderIsReadInAnyCaseAndTheNextSaveDropsUnknownNames) {
    WriteFile(Program() / "Patches" / "patch000.dat", "x");
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat"}) {
        AddMod(name, {});
    }
    AddMod(reinterpret_cast<const char*>(u8"über.dat"), {});
    AddMod(reinterpret_cast<const char*>(u8"мод.dat"), {});
    WriteFile(Program() / kModOrderFile,
              reinterpret_cast<const char*>(u8"\uFEFFgone.dat\r\nМОД.DAT\r\n\r\n  C.dat \r\n"
                                            u8"ÜBER.dat\r\nPATCH000.DAT\r\nd.dat"));

    ASSERT_FALSE(Run().Ended);
    std::vector<std::string> rows;
    for (int row = 1; row <= dats_.Count(); ++row) {
        rows.push_back(PathToDisplay(dats_.Row(row).Name));
    }
    const std::vector<std::string> expected = {
        "patch000.dat", reinterpret_cast<const char*>(u8"мод.dat"),
        "c.dat",        reinterpret_cast<const char*>(u8"über.dat"),
        "d.dat",        "a.dat",
        "b.dat"};
    EXPECT_EQ(rows, expected);
    ASSERT_EQ(dats_.Count(), 7);
    // On Windows the patch's path takes its documented spelling, which names the same file.
    for (int k = 1; k <= 7; ++k) {
        const std::string name = PathToDisplay(dats_.Item(k).FullPath.filename());
        EXPECT_TRUE(testing::SameFileName(name, expected[static_cast<std::size_t>(k - 1)])) << name;
    }

    ProgramState state;
    state.ProgramFolder = Program();
    state.Mods = std::move(dats_);
    ASSERT_TRUE(MoveMod(state, 7, 2));  // b.dat to the top
    const auto saved = testing::ReadFile(Program() / kModOrderFile);
    EXPECT_EQ(std::string(saved.begin(), saved.end()),
              reinterpret_cast<const char*>(u8"b.dat\nмод.dat\nc.dat\nüber.dat\nd.dat\na.dat\n"));
}

TEST_F(StartupTest, AnOrderThatCannotBeSavedLeavesTheSavedOneWholeAndSaysSo) {
    testing::SmallDisk disk(1 << 20, 2);  // room for the order file and nothing beside it
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    ProgramState state;
    state.ProgramFolder = disk.path();
    for (const char* name : {"patch000.dat", "a.dat", "b.dat"}) {
        state.Mods.Append({name}, 0, 0, Program() / "Patches" / name, false, {}, nullptr);
    }
    WriteFile(disk / kModOrderFile, "a.dat\nb.dat\n");
    const auto moved = MoveMod(state, 3, 2);

    ASSERT_FALSE(moved);
    EXPECT_EQ(testing::ReadFile(disk / kModOrderFile), Bytes("a.dat\nb.dat\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no new file left beside it";
    EXPECT_EQ(PathToDisplay(state.Mods.Item(2).FullPath.filename()), "b.dat");
    ReportOrderNotKept(messages_, moved.error());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].text.find(kModOrderFile), std::string::npos)
        << messages_.shown[0].text;
}

TEST(MainWindowCaption, CarriesMajorAndMinorVersion) {
    EXPECT_EQ(MainWindowCaption(), "Fallout 2: Vrel " + std::to_string(VREL_VERSION_MAJOR) + "." +
                                       std::to_string(VREL_VERSION_MINOR));
}

}  // namespace
}  // namespace vrel
