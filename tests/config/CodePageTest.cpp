// vrel.cfg keeps the game folder in the system's own narrow encoding, the same both ways: on
// Windows the ANSI code page (run under Wine with LANG=ru_RU.UTF-8 for code page 1251 and with an
// English locale for 1252), elsewhere UTF-8.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>

#include "Fakes.h"
#include "TempFolder.h"
#include "config/FirstRun.h"
#include "config/GamePaths.h"
#include "config/OptionsSettings.h"
#include "config/SaveSettings.h"

namespace vrel {
namespace {

using testing::FakeMessageBox;
using testing::TempFolder;

// Some editors save the file with a UTF-8 byte-order mark: "[General]" then went unrecognised,
// every switch read as off, DeleteDataFiles included, and Play replaced the player's files without
// keeping them.
TEST(CodePage, AFileStartingWithAByteOrderMarkIsReadWhole) {
    TempFolder folder;
    testing::WriteFile(folder / "vrel.cfg",
                       "\xEF\xBB\xBF[General]\r\nFirstTimeRun=0\r\nSound=0\r\nLoadModDesc=0\r\n"
                       "DeleteDataFiles=1\r\nCheckConflicts=0\r\n\r\n"
                       "[Path]\r\nFallout2=C:\\Games\\Fallout 2\r\n");
    VrelCFG config;
    EXPECT_EQ(config.GetConf(folder / "vrel.cfg"), FirstWindow::MainWindow);
    EXPECT_TRUE(config.cfgGeneral.DeleteDataFiles);
    EXPECT_EQ(config.cfgPath.Fallout2, "C:\\Games\\Fallout 2");
}

// On Windows the path's narrow string is UTF-8, which was taken for the code page's text again:
// a program folder "Vrel Über" was named "Vrel Ãœber" in the message.
TEST(CodePage, SaveFailureNamesTheFileAsItIsCalled) {
    const std::filesystem::path file = std::filesystem::path(u8"Vrel Über") / "vrel.cfg.new";
    const std::string shown = DescribeSaveFailure({PlaceProblem::CannotCreate, file, {}});
    EXPECT_NE(shown.find("Vrel Über"), std::string::npos) << shown;
}

#ifdef _WIN32
const char* const kCyrillicFolder = "C:\\Игры\\Fallout 2";

// A fixed 1252 table on the way in and the system's code page on the way out saved this folder as
// "C:\????\Fallout 2"; under 1252 it must be refused, not turned into question marks.
TEST(CodePage, CyrillicGameFolderIsSavedAndReadBackUnder1251AndRefusedUnder1252) {
    if (const char* expected = std::getenv("VREL_ANSI_CODE_PAGE")) {
        ASSERT_EQ(GetACP(), std::strtoul(expected, nullptr, 10))
            << "Wine did not take the code page from LANG: is the locale there?";
    } else if (GetACP() != 1251 && GetACP() != 1252) {
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
        EXPECT_EQ(GameFolderPath(readBack.cfgPath.Fallout2, folder.path()),
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
#else
// The Windows-1252 table used on Linux refused every folder outside it, such as this one.
TEST(CodePage, CyrillicGameFolderIsSavedAsUtf8AndReadBack) {
    const char* const folderName = "/home/u/Игры/Fallout 2";
    TempFolder folder;
    testing::WriteFile(folder / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    VrelCFG config;
    FakeMessageBox messages;
    ASSERT_TRUE(SaveFirstRunSettings(config, folder.path(), folderName, messages));
    EXPECT_TRUE(messages.shown.empty());
    const auto bytes = testing::ReadFile(folder / "vrel.cfg");
    EXPECT_NE(std::string(bytes.begin(), bytes.end())
                  .find("\r\nFallout2=" + std::string(folderName) + "\r\n"),
              std::string::npos);
    VrelCFG readBack;
    readBack.GetConf(folder / "vrel.cfg");
    EXPECT_EQ(OptionsFromSettings(readBack).Fallout2, folderName);
    EXPECT_EQ(GameFolderPath(readBack.cfgPath.Fallout2, folder.path()),
              std::filesystem::path(u8"/home/u/Игры/Fallout 2"));
}

// A program folder named in Latin-1 was written as its raw bytes, so the next read took the whole
// file as Windows-1252 and the game folder came back as "jÃ¶rg".
TEST(CodePage, AProgramFolderNamedInAnotherEncodingLeavesTheGameFolderReadable) {
    TempFolder folder;
    const auto program = folder.path() / std::filesystem::path("j\xF6rg");
    testing::WriteFile(program / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    VrelCFG config;
    FakeMessageBox messages;
    ASSERT_TRUE(SaveFirstRunSettings(config, program, "/home/jörg/Fallout 2", messages));
    VrelCFG readBack;
    readBack.GetConf(program / "vrel.cfg");
    EXPECT_EQ(readBack.cfgPath.Fallout2, "/home/jörg/Fallout 2");
    EXPECT_EQ(readBack.cfgPath.AppPath, config.cfgPath.AppPath);
}

// A file written on Windows holds its folders in the code page there; read as UTF-8 its folders
// would name nothing and show broken.
TEST(CodePage, FileWrittenOnWindowsIsReadAsWindows1252) {
    TempFolder folder;
    testing::WriteFile(folder / "vrel.cfg",
                       "[General]\r\nFirstTimeRun=0\r\nSound=1\r\nLoadModDesc=1\r\n"
                       "DeleteDataFiles=1\r\nCheckConflicts=1\r\n\r\n[Path]\r\n"
                       "AppPath=C:\\Users\\J\xFCrgen\\Vrel\r\nFallout1=\"null\"\r\n"
                       "Fallout2=C:\\Users\\J\xFCrgen\\Games\\Fallout 2\r\n");
    VrelCFG config;
    EXPECT_EQ(config.GetConf(folder / "vrel.cfg"), FirstWindow::MainWindow);
    EXPECT_TRUE(config.cfgGeneral.Sound);
    EXPECT_EQ(OptionsFromSettings(config).Fallout2, "C:\\Users\\Jürgen\\Games\\Fallout 2");
    EXPECT_EQ(config.cfgPath.AppPath, "C:\\Users\\Jürgen\\Vrel");
}

// Bytes that only look like a four-byte UTF-8 form (a lead above F4) do not make a file UTF-8:
// its characters became '?'.
TEST(CodePage, LeadBytesAboveF4AreNotUtf8) {
    TempFolder folder;
    testing::WriteFile(folder / "vrel.cfg", "[Path]\r\nFallout2=/games/\xF8\xA0\x80\x80\r\n");
    VrelCFG config;
    config.GetConf(folder / "vrel.cfg");
    EXPECT_EQ(config.cfgPath.Fallout2, "/games/\xC3\xB8\xC2\xA0\xE2\x82\xAC\xE2\x82\xAC");
}
#endif

}  // namespace
}  // namespace vrel
