#include "config/frmFTR.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "ConfigWindowFixture.h"
#include "config/SettingsText.h"

namespace vrel {
namespace {

const char* const kFirstRunFile = "[General]\r\nFirstTimeRun=1\r\nSound=1\r\n";

class frmFTRTest : public testing::ConfigWindowFixture {
protected:
    frmFTRTest() { testing::WriteFile(CfgFile(), kFirstRunFile); }

    std::function<void()> CountMainWindow() {
        return [this] { ++mainWindowShown_; };
    }
    std::string Defaults(const std::string& fallout2) const {
        return "[General]\r\nFirstTimeRun=0\r\nSound=1\r\nLoadModDesc=1\r\nDeleteDataFiles=1\r\n"
               "CheckConflicts=1\r\n\r\n[Path]\r\nAppPath=" +
               PathToSettings(folder_.path()) + "\r\nFallout1=\"null\"\r\nFallout2=" + fallout2 +
               "\r\n\r\n[Skins]\r\nNumSkinsInstalled=0\r\n";
    }

    int mainWindowShown_ = 0;
};

TEST_F(frmFTRTest, RoutineShowsTheWindowWithTheRecordedFolder) {
    struct Case {
        RegistryValue value;
        QString box;
    };
    const Case cases[] = {
        {std::string("C:\\Games\\Fallout2"), QStringLiteral("C:\\Games\\Fallout2")},
        {std::monostate{}, QString()},
        {std::string(), QString()},
        {std::uint32_t{77}, QStringLiteral("77")},
    };
    for (const Case& c : cases) {
        fakes_.registry.value = c.value;
        QPointer<frmFTR> window = FirstTimeRun_Routine(state_, ports_, CountMainWindow());
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->txtF2path->text(), c.box);
        EXPECT_TRUE(fakes_.messages.shown.empty());
        window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(window);  // closing unloads it
    }
    EXPECT_EQ(mainWindowShown_, 0);
    EXPECT_EQ(CfgText(), kFirstRunFile);
}

TEST_F(frmFTRTest, LoadSetsTheCaptionAndControls) {
    frmFTR window(state_, ports_, CountMainWindow());
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Vrel v%1.%2").arg(VREL_VERSION_MAJOR).arg(VREL_VERSION_MINOR));
    EXPECT_EQ(window.size(), QSize(355, 251));
    EXPECT_EQ(window.Label1->text(), "This is the first time you run Vrel");
    EXPECT_TRUE(window.Label1->font().bold());
    EXPECT_TRUE(window.Label2->font().underline());
    EXPECT_EQ(window.Frame1->title(), "Skins");
    EXPECT_FALSE(window.Label6->isEnabled());
    EXPECT_FALSE(window.Text2->isEnabled());
    EXPECT_FALSE(window.Command3->isEnabled());
    EXPECT_TRUE(window.txtF2path->isEnabled());
    EXPECT_EQ(window.Command2->text(), "Continue");
    EXPECT_EQ(testing::Unnamed(window), std::vector<std::string>{});
}

TEST_F(frmFTRTest, DebugButtonShownWhenDashDStandsAnywhere) {
    struct Case {
        const char* CommandLine;
        bool shown;
    };
    const Case cases[] = {{"-d", true}, {"-debug", true}, {"x-d", true}, {"", false}};
    for (const Case& c : cases) {
        state_.CommandLine = c.CommandLine;
        frmFTR window(state_, ports_, CountMainWindow());
        EXPECT_EQ(window.DebugBTN_cont->isVisibleTo(&window), c.shown) << c.CommandLine;
    }
}

TEST_F(frmFTRTest, ContinueSavesDefaultsCreatesTheDataTreeAndOpensTheMainWindow) {
    const std::filesystem::path game = folder_ / "game";
    testing::WriteFile(game / "Fallout2.exe", "MZ");
    frmFTR window(state_, ports_, CountMainWindow());
    window.show();
    window.txtF2path->setText(QString::fromStdString(game.string()));
    window.Command2->click();
    EXPECT_EQ(CfgText(), Defaults(PathToSettings(game)));
    EXPECT_EQ(state_.Config.cfgPath.Fallout2, PathToSettings(game));
    EXPECT_TRUE(state_.Config.cfgGeneral.CheckConflicts);
    EXPECT_TRUE(std::filesystem::is_directory(game / "Data" / "text" / "italian" / "game"));
    EXPECT_EQ(mainWindowShown_, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(frmFTRTest, FailedWriteCancelledKeepsTheWindow) {
    // A folder in vrel.cfg's place, which no file may replace.
    std::filesystem::remove(CfgFile());
    testing::WriteFile(CfgFile() / "in the way", "");
    fakes_.messages.answers = {MessageAnswer::Cancel};
    frmFTR window(state_, ports_, CountMainWindow());
    window.show();
    window.Command2->click();
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(mainWindowShown_, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(std::filesystem::exists(CfgFile() / "in the way"));
}

TEST_F(frmFTRTest, DebugContinueWritesNothing) {
    state_.CommandLine = "-d";
    frmFTR window(state_, ports_, CountMainWindow());
    window.show();
    window.DebugBTN_cont->click();
    EXPECT_EQ(mainWindowShown_, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(CfgText(), kFirstRunFile);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Data"));
}

TEST_F(frmFTRTest, BrowseFillsOnlyTheBox) {
    testing::WriteFile(folder_ / "game" / "Fallout2.exe", "MZ");
    frmFTR window(state_, ports_, CountMainWindow());
    window.txtF2path->setText(QStringLiteral("before"));
    fakes_.pickers.folders = {(folder_ / "elsewhere").string(), std::nullopt};
    fakes_.messages.answers = {MessageAnswer::No};
    window.Command1->click();
    EXPECT_EQ(window.txtF2path->text(), "before");  // No, then the picker was cancelled

    fakes_.pickers.folders = {(folder_ / "game").string()};
    window.Command1->click();
    EXPECT_EQ(window.txtF2path->text().toStdString(), (folder_ / "game").string());
    EXPECT_EQ(state_.Config.cfgPath.Fallout2, "");
    EXPECT_EQ(CfgText(), kFirstRunFile);
}

TEST_F(frmFTRTest, SteamLibraryInTheHomeFolderFillsTheBoxAndContinueSavesIt) {
    const std::filesystem::path home = folder_ / "home";
    const std::filesystem::path steamapps = home / ".local" / "share" / "Steam" / "steamapps";
    testing::WriteFile(
        steamapps / "appmanifest_38410.acf",
        "\"AppState\"\n{\n\t\"appid\"\t\t\"38410\"\n\t\"installdir\"\t\t\"Fallout 2\"\n}\n");
    const std::filesystem::path game = steamapps / "common" / "Fallout 2";
    testing::WriteFile(game / "fallout2.exe", "MZ");
    fakes_.environment.variables["HOME"] = home.string();

    QPointer<frmFTR> window = FirstTimeRun_Routine(state_, ports_, CountMainWindow());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->txtF2path->text().toStdString(), game.string());
    EXPECT_EQ(window->FoundFolders, nullptr);  // one folder found: nothing else to offer
    window->Command2->click();
    EXPECT_EQ(CfgText(), Defaults(PathToSettings(game)));
    EXPECT_EQ(mainWindowShown_, 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(frmFTRTest, SeveralInstallsAreOfferedByTheBox) {
    const std::filesystem::path recorded = folder_ / "Interplay";
    const std::filesystem::path gog = folder_ / "GOG Games" / "Fallout 2";
    testing::WriteFile(gog / "Fallout2.exe", "MZ");
    fakes_.registry.values["SOFTWARE\\Interplay\\Fallout2\\1.0|DestPath"] = recorded.string();
    fakes_.registry.subkeys["SOFTWARE\\GOG.com\\Games"] = {"1440151285"};
    fakes_.registry.values["SOFTWARE\\GOG.com\\Games\\1440151285|path"] = gog.string();

    QPointer<frmFTR> window = FirstTimeRun_Routine(state_, ports_, CountMainWindow());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->txtF2path->text().toStdString(), recorded.string());
    ASSERT_NE(window->FoundFolders, nullptr);
    EXPECT_EQ(window->txtF2path->accessibleName(), "Fallout 2 folder");
    window->FoundFolders->trigger();
    QAbstractItemView* list = window->txtF2path->completer()->popup();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_TRUE(list->model()->index(1, 0).data().toString().startsWith("GOG"));
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::ToolTipRole).toString().toStdString(),
              gog.string());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(window->txtF2path->text().toStdString(), gog.string());
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace vrel
