#include "config/OptionsSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Fakes.h"
#include "TempFolder.h"
#include "config/SaveSettings.h"
#include "config/SettingsTable.h"

namespace vrel {
namespace {

using testing::FakeMessageBox;
using testing::TempFolder;

std::string FileText(const std::filesystem::path& file) {
    const auto bytes = testing::ReadFile(file);
    return {bytes.begin(), bytes.end()};
}

// "C:\Spiele\Fällout2" as vrel.cfg holds it: in the code page (1252 here) on Windows, UTF-8
// elsewhere.
#ifdef _WIN32
const char* const kStoredFolder = "C:\\Spiele\\F\xE4llout2";
#else
const char* const kStoredFolder = "C:\\Spiele\\F\xC3\xA4llout2";
#endif

VrelCFG Saved() {
    VrelCFG config;
    config.cfgGeneral = {.FirstTimeRun = false,
                         .Sound = true,
                         .LoadModDesc = false,
                         .DeleteDataFiles = true,
                         .CheckConflicts = false};
    config.cfgPath = {.Fallout1 = "\"null\"", .Fallout2 = kStoredFolder, .AppPath = "x"};
    config.cfgSkins.NumSkinsInstalled = 3;
    return config;
}

TEST(OptionsSettings, ChoicesStartFromTheSettings) {
    const OptionsChoices choices = OptionsFromSettings(Saved());
    EXPECT_FALSE(choices.Switches.CheckConflicts);
    EXPECT_TRUE(choices.Switches.DeleteDataFiles);
    EXPECT_FALSE(choices.Switches.LoadModDesc);
    EXPECT_TRUE(choices.Switches.Sound);
    EXPECT_EQ(choices.Fallout2, "C:\\Spiele\\F\xC3\xA4llout2");
}

TEST(OptionsSettings, OkayWithoutChangesRewritesTheSameSettings) {
    TempFolder folder;
    VrelCFG config = Saved();
    FakeMessageBox messages;
    ASSERT_TRUE(SaveOptions(config, folder.path(), OptionsFromSettings(config), messages));
    EXPECT_EQ(FileText(folder / "vrel.cfg"),
              "[General]\r\nFirstTimeRun=0\r\nSound=1\r\nLoadModDesc=0\r\nDeleteDataFiles=1\r\n"
              "CheckConflicts=0\r\n\r\n[Path]\r\nAppPath=" +
                  AppPathText(folder.path()) + "\r\nFallout1=\"null\"\r\nFallout2=" +
                  kStoredFolder + "\r\n\r\n[Skins]\r\nNumSkinsInstalled=0\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(OptionsSettings, OkayStoresEachChoice) {
    TempFolder folder;
    VrelCFG config = Saved();
    FakeMessageBox messages;
    const OptionsChoices choices{.Switches = {.Sound = false,
                                              .LoadModDesc = true,
                                              .DeleteDataFiles = false,
                                              .CheckConflicts = true},
                                 .Fallout2 = " typed by hand "};
    ASSERT_TRUE(SaveOptions(config, folder.path(), choices, messages));
    EXPECT_TRUE(config.cfgGeneral.CheckConflicts);
    EXPECT_FALSE(config.cfgGeneral.DeleteDataFiles);
    EXPECT_TRUE(config.cfgGeneral.LoadModDesc);
    EXPECT_FALSE(config.cfgGeneral.Sound);
    EXPECT_EQ(config.cfgPath.Fallout2, " typed by hand ");
    EXPECT_EQ(config.cfgPath.AppPath, AppPathText(folder.path()));
    VrelCFG reread;
    reread.GetConf(folder / "vrel.cfg");
    EXPECT_FALSE(reread.cfgGeneral.Sound);
    EXPECT_EQ(reread.cfgPath.Fallout2, " typed by hand ");
}

// Guards against a failed write being taken as saved: the settings stay and the user is told.
TEST(OptionsSettings, FailedWriteIsToldAndChangesNothing) {
    TempFolder folder;
    const auto gone = folder / "program folder that is gone";
    VrelCFG config = Saved();
    FakeMessageBox messages;
    OptionsChoices choices = OptionsFromSettings(config);
    choices.Switches.Sound = false;
    EXPECT_FALSE(SaveOptions(config, gone, choices, messages));
    EXPECT_TRUE(config.cfgGeneral.Sound);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Error!");
    EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST(OptionsSettings, DescriptionsOfEachOption) {
    struct Case {
        std::string_view key;  // of the switch; empty for the window's own texts
        OptionsHover target;
        const char* text;
    };
    const Case cases[] = {
        {"", OptionsHover::Background, "Hover any option to see its description."},
        {"CheckConflicts=", {}, "Checks any conflicts between mods before playing. (Recommended)"},
        {"DeleteDataFiles=",
         {},
         "When you finish playing Fallout, it will delete any file that was created to enable the "
         "mods. Warning, if you close Vrel before they're delete you will have to do the work "
         "manually!"},
        {"LoadModDesc=",
         {},
         "If available, loads the mod description directly from the DAT, if disabled, it can "
         "save you time when you have lots of mods in your Patches folder."},
        {"Sound=",
         {},
         "Enabled/Disables those fantastic Dolby Pro-Logic Surround 5.1 THX's sounds when you "
         "hover/click the buttons."},
        {"", OptionsHover::Fallout2, "Where you installed Fallout 2"},
    };
    for (const Case& c : cases) {
        if (c.key.empty()) {
            EXPECT_EQ(HoverDescription(c.target), c.text);
            continue;
        }
        const auto setting = std::find_if(kSwitches.begin(), kSwitches.end(),
                                          [&](const SwitchSetting& s) { return s.Key == c.key; });
        ASSERT_NE(setting, kSwitches.end()) << c.key;
        EXPECT_EQ(setting->Description, c.text);
    }
}

}  // namespace
}  // namespace vrel
