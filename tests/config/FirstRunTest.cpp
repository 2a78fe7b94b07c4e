#include "config/FirstRun.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "config/SaveSettings.h"

namespace vrel {
namespace {

using testing::FakeMessageBox;
using testing::SmallDisk;
using testing::TempFolder;

std::string FileText(const std::filesystem::path& file) {
    const auto bytes = testing::ReadFile(file);
    return {bytes.begin(), bytes.end()};
}

std::string Defaults(const std::string& appPath, const std::string& fallout2) {
    return "[General]\r\nFirstTimeRun=0\r\nSound=1\r\nLoadModDesc=1\r\nDeleteDataFiles=1\r\n"
           "CheckConflicts=1\r\n\r\n[Path]\r\nAppPath=" +
           appPath + "\r\nFallout1=\"null\"\r\nFallout2=" + fallout2 +
           "\r\n\r\n[Skins]\r\nNumSkinsInstalled=0\r\n";
}

TEST(FirstRun, CaptionCarriesMajorAndMinorVersion) {
    EXPECT_EQ(FirstRunCaption(), "Vrel v" + std::to_string(VREL_VERSION_MAJOR) + "." +
                                     std::to_string(VREL_VERSION_MINOR));
}

class FirstRunSaveTest : public ::testing::Test {
protected:
    FirstRunSaveTest() {
        testing::WriteFile(folder_ / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
        config_.cfgPath.Fallout2 = "kept in memory";
    }
    std::string AppPath() const { return AppPathText(folder_.path()); }

    TempFolder folder_;
    VrelCFG config_;
    FakeMessageBox messages_;
};

TEST_F(FirstRunSaveTest, ContinueWritesTheDefaultsWithTheBoxesFolder) {
    const struct {
        std::string box;
        std::string stored;
    } cases[] = {
        {"C:\\Games\\Fallout2", "C:\\Games\\Fallout2"},
        {"", ""},                          // an empty box is stored empty
        {" /games/fo2 ", " /games/fo2 "},  // stored exactly as typed
#ifdef _WIN32
        {"/spiele/caf\xC3\xA9", "/spiele/caf\xE9"},  // display text becomes the code page's
#else
        {"/spiele/caf\xC3\xA9", "/spiele/caf\xC3\xA9"},  // UTF-8 stays UTF-8
#endif
    };
    for (const auto& c : cases) {
        VrelCFG config;
        ASSERT_TRUE(SaveFirstRunSettings(config, folder_.path(), c.box, messages_));
        EXPECT_EQ(FileText(folder_ / "vrel.cfg"), Defaults(AppPath(), c.stored)) << c.box;
        EXPECT_EQ(config.cfgPath.Fallout2, c.stored);
        EXPECT_EQ(config.cfgPath.Fallout1, "null");
        EXPECT_FALSE(config.cfgGeneral.FirstTimeRun);
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FirstRunSaveTest, AfterContinueTheNextStartOpensTheMainWindow) {
    ASSERT_TRUE(SaveFirstRunSettings(config_, folder_.path(), "C:\\Games", messages_));
    VrelCFG next;
    EXPECT_EQ(next.GetConf(folder_ / "vrel.cfg"), FirstWindow::MainWindow);
    EXPECT_EQ(next.cfgPath.Fallout2, "C:\\Games");
}

// Guards against a failed write passing unnoticed: the user is told and may stay to try again.
// The program folder is a full disk: vrel.cfg is there, and no new file fits beside it.
TEST(FirstRunFullDisk, FailedWriteIsToldAndCancelKeepsTheSettings) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        SmallDisk disk(1 << 20, 2);
        if (!disk.Mounted()) {
            GTEST_SKIP() << disk.Why();
        }
        testing::WriteFile(disk / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
        FakeMessageBox messages;
        messages.answers = {answer};
        VrelCFG config;
        config.cfgPath.Fallout2 = "kept in memory";
        const bool goesOn = SaveFirstRunSettings(config, disk.path(), "C:\\Games", messages);
        EXPECT_EQ(FileText(disk / "vrel.cfg"), "[General]\r\nFirstTimeRun=1\r\n");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Error!");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
        EXPECT_NE(messages.shown[0].text.find("couldn't save its settings"), std::string::npos);
        if (answer == MessageAnswer::Cancel) {
            EXPECT_FALSE(goesOn);
            EXPECT_EQ(config.cfgPath.Fallout2, "kept in memory");
        } else {
            // Ok goes on with the settings in memory.
            EXPECT_TRUE(goesOn);
            EXPECT_EQ(config.cfgPath.Fallout2, "C:\\Games");
            EXPECT_TRUE(config.cfgGeneral.Sound);
        }
    }
}

}  // namespace
}  // namespace vrel
