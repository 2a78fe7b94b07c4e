// vrel.cfg keeps the game folder in the system's ANSI code page, the same code page both ways. Run
// under Wine with LANG=ru_RU.UTF-8 (code page 1251) and with an English locale (1252).
#include <windows.h>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "TempFolder.h"
#include "base/AnsiText.h"
#include "config/FirstRun.h"
#include "config/OptionsSettings.h"

namespace vrel {
namespace {

using testing::FakeMessageBox;
using testing::TempFolder;

const char* const kCyrillicFolder = "C:\\Игры\\Fallout 2";

// A fixed 1252 table on the way in and the system's code page on the way out saved this folder as
// "C:\????\Fallout 2"; under 1252 it must be refused, not turned into question marks.
TEST(CodePage, CyrillicGameFolderIsSavedAndReadBackUnder1251AndRefusedUnder1252) {
    if (GetACP() != 1251 && GetACP() != 1252) {
        GTEST_SKIP() << "code page " << GetACP();
    }
    TempFolder folder;
    testing::WriteFile(folder / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    const auto before = testing::ReadFile(folder / "vrel.cfg");
    VrelCFG config;
    FakeMessageBox messages;
    const bool saved = SaveFirstRunSettings(config, folder.path(), kCyrillicFolder, messages);
    if (GetACP() == 1251) {
        ASSERT_TRUE(saved);
        EXPECT_TRUE(messages.shown.empty());
        VrelCFG readBack;
        readBack.GetConf(folder / "vrel.cfg");
        EXPECT_EQ(readBack.cfgPath.Fallout2, "C:\\\xC8\xE3\xF0\xFB\\Fallout 2");
        EXPECT_EQ(AnsiToNativePath(readBack.cfgPath.Fallout2),
                  std::filesystem::path(L"C:\\Игры\\Fallout 2"));
        EXPECT_EQ(OptionsFromSettings(readBack).Fallout2, kCyrillicFolder);
    } else {
        EXPECT_FALSE(saved);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find(kCyrillicFolder), std::string::npos);
        EXPECT_EQ(testing::ReadFile(folder / "vrel.cfg"), before);
        OptionsChoices choices = OptionsFromSettings(config);
        choices.Fallout2 = kCyrillicFolder;
        EXPECT_FALSE(SaveOptions(config, folder.path(), choices, messages));
        EXPECT_EQ(testing::ReadFile(folder / "vrel.cfg"), before);
    }
}

}  // namespace
}  // namespace vrel
