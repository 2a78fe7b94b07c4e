#include "config/VrelCFG.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "config/Main.h"

namespace vrel {
namespace {

using testing::TempFolder;

const char* const kWritten =
    "[General]\r\nFirstTimeRun=0\r\nSound=1\r\nLoadModDesc=0\r\nDeleteDataFiles="
    "1\r\nCheckConflicts=1\r\n\r\n"
    "[Path]\r\nAppPath=C:\\Vrel\r\nFallout1=\"null\"\r\nFallout2=C:\\Games\\Fallout2\r\n\r\n"
    "[Skins]\r\nNumSkinsInstalled=7\r\n";

VrelCFG Sample() {
    VrelCFG config;
    config.cfgGeneral = {.FirstTimeRun = false,
                         .Sound = true,
                         .LoadModDesc = false,
                         .DeleteDataFiles = true,
                         .CheckConflicts = true};
    config.cfgPath = {
        .Fallout1 = "ignored", .Fallout2 = "C:\\Games\\Fallout2", .AppPath = "C:\\Vrel"};
    config.cfgSkins.NumSkinsInstalled = 7;
    return config;
}

TEST(VrelCFG, WritesExactlyTheFourteenLines) {
    EXPECT_EQ(Sample().FormatConf(), kWritten);
}

TEST(VrelCFG, RoundTripKeepsEverythingButSkinsAndFallout1) {
    TempFolder folder;
    const auto file = folder / "vrel.cfg";
    ASSERT_TRUE(Sample().PutConf(file));
    VrelCFG read;
    EXPECT_EQ(read.GetConf(file), FirstWindow::MainWindow);
    EXPECT_TRUE(read.cfgGeneral.Sound);
    EXPECT_FALSE(read.cfgGeneral.LoadModDesc);
    EXPECT_TRUE(read.cfgGeneral.DeleteDataFiles);
    EXPECT_TRUE(read.cfgGeneral.CheckConflicts);
    EXPECT_EQ(read.cfgPath.Fallout2, "C:\\Games\\Fallout2");
    EXPECT_EQ(read.cfgPath.AppPath, "C:\\Vrel");
    EXPECT_EQ(read.cfgPath.Fallout1, "\"null\"");
    EXPECT_EQ(read.cfgSkins.NumSkinsInstalled, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(VrelCFG, PutConfFailureKeepsTheOldFile) {
    // A full disk: vrel.cfg is there, and no new file fits beside it.
    testing::SmallDisk disk(1 << 20, 2);
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    const auto file = disk / "vrel.cfg";
    testing::WriteFile(file, std::string_view(kWritten));
    VrelCFG other = Sample();
    other.cfgPath.Fallout2 = "elsewhere";
    const auto saved = other.PutConf(file);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().Kind, PlaceProblem::CannotCreate);
    EXPECT_EQ(saved.error().Error, std::errc::no_space_on_device);
    EXPECT_EQ(testing::ReadFile(file), testing::Bytes(kWritten));
}

TEST(VrelCFG, AFailedReplaceKeepsTheSystemsReason) {
    // The clean-up of the new file once overwrote the reason with its own success.
    TempFolder folder;
    const auto file = folder / "vrel.cfg";
    testing::WriteFile(file / "in the way", "");
    const auto saved = Sample().PutConf(file);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().Kind, PlaceProblem::CannotPlace);
    EXPECT_TRUE(saved.error().Error);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

struct ReadCase {
    const char* what;
    std::string text;
    FirstWindow window;
    CfgGeneral general;
    std::string fallout2;
};

TEST(VrelCFG, ReaderMatchingRules) {
    const std::vector<ReadCase> cases = {
        {"empty file", "", FirstWindow::MainWindow, {}, ""},
        {"no header", "Sound=1\r\nFallout2=x\r\n", FirstWindow::MainWindow, {}, ""},
        {"key inside a longer line, any order",
         "[General]\r\nCheckConflicts=1\r\nxSound=1\r\nDeleteDataFiles=0\r\nLoadModDesc="
         "1\r\nFirstTimeRun=0\r\n",
         FirstWindow::MainWindow,
         {.Sound = true, .LoadModDesc = true, .CheckConflicts = true},
         ""},
        {"last digit decides",
         "[General]\r\nSound=10\r\nLoadModDesc=2\r\nFirstTimeRun=0\r\nA=\r\nDeleteDataFiles="
         "0\r\nCheckConflicts=0\r\n",
         FirstWindow::MainWindow,
         {.LoadModDesc = true},
         ""},
        {"two keys on a line count once, for the first of the search order",
         "[General]\r\nSound=1 "
         "LoadModDesc=1\r\nFirstTimeRun=0\r\nLoadModDesc=0\r\nDeleteDataFiles=0\r\nCheckConflicts="
         "0\r\n",
         FirstWindow::MainWindow,
         {.Sound = true},
         ""},
        {"blank and comment lines do not count",
         "[General]\r\n\r\n; "
         "note\r\nSound=1\r\nLoadModDesc=1\r\nDeleteDataFiles=1\r\nCheckConflicts="
         "1\r\nFirstTimeRun=0\r\n",
         FirstWindow::MainWindow,
         {.Sound = true, .LoadModDesc = true, .DeleteDataFiles = true, .CheckConflicts = true},
         ""},
        {"header in other case is no header",
         "[general]\r\nSound=1\r\n[General] \r\nSound=1\r\n",
         FirstWindow::MainWindow,
         {},
         ""},
        {"first run stops reading",
         "[General]\r\nSound=1\r\nFirstTimeRun=1\r\nLoadModDesc=1\r\n[Path]\r\nFallout2=C:\\G\r\n",
         FirstWindow::FirstRun,
         {.Sound = true},
         ""},
        {"trailing space kept in a path",
         "[Path]\r\nFallout2=C:\\Games\\Fallout2 \r\nAppPath=a\r\nFallout1=b\r\n",
         FirstWindow::MainWindow,
         {},
         "C:\\Games\\Fallout2 "},
        {"two keys on a path line count once, for the first of the search order",
         "[Path]\r\nAppPath=C:\\Fallout2=x\r\n",
         FirstWindow::MainWindow,
         {},
         "x"},
        {"text before the key is dropped",
         "[Path]\r\nxxFallout2=D:\\F2\r\n",
         FirstWindow::MainWindow,
         {},
         "D:\\F2"},
        {"a section cut short ends with the file",
         "[General]\r\nSound=1",
         FirstWindow::MainWindow,
         {.Sound = true},
         ""},
        {"a value with no digit leaves the setting",
         "[General]\r\nSound=\r\nLoadModDesc=yes\r\nCheckConflicts=1 \r\n",
         FirstWindow::MainWindow,
         {.CheckConflicts = true},
         ""},
        {"lines ending in LF alone",
         "[General]\nSound=1\nLoadModDesc=1\nDeleteDataFiles=0\nCheckConflicts=1\nFirstTimeRun=0\n["
         "Path]\nFallout2=/games/f2\n",
         FirstWindow::MainWindow,
         {.Sound = true, .LoadModDesc = true, .CheckConflicts = true},
         "/games/f2"},
    };
    for (const auto& c : cases) {
        VrelCFG config;
        EXPECT_EQ(config.ReadConf(c.text), c.window) << c.what;
        EXPECT_EQ(config.cfgGeneral.FirstTimeRun, false) << c.what;
        EXPECT_EQ(config.cfgGeneral.Sound, c.general.Sound) << c.what;
        EXPECT_EQ(config.cfgGeneral.LoadModDesc, c.general.LoadModDesc) << c.what;
        EXPECT_EQ(config.cfgGeneral.DeleteDataFiles, c.general.DeleteDataFiles) << c.what;
        EXPECT_EQ(config.cfgGeneral.CheckConflicts, c.general.CheckConflicts) << c.what;
        EXPECT_EQ(config.cfgPath.Fallout2, c.fallout2) << c.what;
    }
}

TEST(Main, MissingSettingsFileTellsTheUserAndEnds) {
    TempFolder folder;
    testing::FakeMessageBox messages;
    testing::FakeLifetime lifetime;
    VrelCFG config;
    EXPECT_FALSE(Main(config, folder.path(), messages, lifetime));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "vrel.cfg not found! Be sure you correctly extracted the ZIP.");
    EXPECT_EQ(messages.shown[0].title, "Error!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(lifetime.ended, 1);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(Main, ShippedFileOpensTheFirstRunWindow) {
    TempFolder folder;
    testing::FakeMessageBox messages;
    testing::FakeLifetime lifetime;
    std::filesystem::copy_file(VREL_SHIPPED_CFG, folder / "VREL.CFG");
    VrelCFG config;
    EXPECT_EQ(Main(config, folder.path(), messages, lifetime), FirstWindow::FirstRun);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(lifetime.ended, 0);
}

}  // namespace
}  // namespace vrel
