#include "config/frmOptions.h"

#include "config/SettingsTable.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ConfigWindowFixture.h"
#include "config/SettingsText.h"

namespace vrel {
namespace {

const char* const kOldFile = "[General]\r\nFirstTimeRun=0\r\n";

class frmOptionsTest : public testing::ConfigWindowFixture {
protected:
    frmOptionsTest() {
        testing::WriteFile(CfgFile(), kOldFile);
        state_.Config.cfgGeneral = {.FirstTimeRun = false,
                                    .Sound = true,
                                    .LoadModDesc = true,
                                    .DeleteDataFiles = false,
                                    .CheckConflicts = true};
        state_.Config.cfgPath = {
            .Fallout1 = "\"null\"", .Fallout2 = "C:\\Games\\Fallout2", .AppPath = "C:\\Old"};
        state_.Config.cfgSkins.NumSkinsInstalled = 2;
    }
    std::string Saved(const std::string& general, const std::string& fallout2) const {
        return "[General]\r\nFirstTimeRun=0\r\n" + general +
               "\r\n[Path]\r\nAppPath=" + PathToSettings(folder_.path()) +
               "\r\nFallout1=\"null\"\r\nFallout2=" + fallout2 +
               "\r\n\r\n[Skins]\r\nNumSkinsInstalled=0\r\n";
    }
};

const char* const kUnchangedGeneral =
    "Sound=1\r\nLoadModDesc=1\r\nDeleteDataFiles=0\r\nCheckConflicts=1\r\n";

TEST_F(frmOptionsTest, LoadShowsTheSettings) {
    frmOptions window(state_, ports_);
    EXPECT_EQ(window.windowTitle(), "Options");
    EXPECT_EQ(window.size(), QSize(408, 206));
    EXPECT_TRUE(window.genCheckConflicts->isChecked());
    EXPECT_FALSE(window.genDeleteDataFiles->isChecked());
    EXPECT_TRUE(window.genLoadModDesc->isChecked());
    EXPECT_TRUE(window.genSound->isChecked());
    EXPECT_EQ(window.pathFallout2->text(), "C:\\Games\\Fallout2");
    EXPECT_FALSE(window.Text1->isEnabled());
    EXPECT_EQ(window.Label1->text(), "Hover any option to see a description of it");
    EXPECT_EQ(window.genDeleteDataFiles->accessibleName(),
              "Delete files from the data\\ folder after playing");
    EXPECT_EQ(window.genDeleteDataFiles->text().replace('\n', ' '),
              "Delete files from the data\\ folder after playing");
    EXPECT_EQ(testing::Unnamed(window), std::vector<std::string>{});
}

TEST_F(frmOptionsTest, OkayWithoutChangesRewritesTheSameSettings) {
    frmOptions window(state_, ports_);
    window.btnOk->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(CfgText(), Saved(kUnchangedGeneral, "C:\\Games\\Fallout2"));
    EXPECT_EQ(state_.Config.cfgSkins.NumSkinsInstalled, 0);
}

TEST_F(frmOptionsTest, OkayStoresTheBoxesAsTheyStand) {
    bool rememberTicks = false;  // kept outside vrel.cfg, which keeps its keys
    frmOptions window(state_, ports_, nullptr, &rememberTicks);
    window.genRememberTicks->click();
    window.genSound->click();
    window.genDeleteDataFiles->click();
    window.pathFallout2->setText(QStringLiteral("  typed by hand"));
    window.btnOk->click();
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);  // asked about, as it holds no Fallout2.exe
    EXPECT_EQ(CfgText(),
              Saved("Sound=0\r\nLoadModDesc=1\r\nDeleteDataFiles=1\r\nCheckConflicts=1\r\n",
                    "  typed by hand"));
    EXPECT_FALSE(state_.Config.cfgGeneral.Sound);
    EXPECT_TRUE(rememberTicks);
}

TEST_F(frmOptionsTest, CancelWritesNothingAfterBrowseAndAutoLocate) {
    testing::WriteFile(folder_ / "game" / "Fallout2.exe", "MZ");
    frmOptions window(state_, ports_);
    window.genSound->click();
    fakes_.pickers.folders = {(folder_ / "game").string()};
    window.Command1->click();
    EXPECT_EQ(window.pathFallout2->text().toStdString(), (folder_ / "game").string());
    fakes_.registry.value = std::string("D:\\Fallout2");
    window.Command2->click();
    EXPECT_EQ(window.pathFallout2->text(), "D:\\Fallout2");
    window.btnCancel->click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(CfgText(), kOldFile);
    EXPECT_EQ(state_.Config.cfgPath.Fallout2, "C:\\Games\\Fallout2");
    EXPECT_TRUE(state_.Config.cfgGeneral.Sound);
}

TEST_F(frmOptionsTest, AutoLocateWithoutTheKeyTellsAndEmptiesTheBox) {
    frmOptions window(state_, ports_);
    window.Command2->click();
    EXPECT_EQ(fakes_.messages.Texts(), std::vector<std::string>{"Could not be found!"});
    EXPECT_EQ(window.pathFallout2->text(), "");
    EXPECT_EQ(state_.Config.cfgPath.Fallout2, "C:\\Games\\Fallout2");
}

TEST_F(frmOptionsTest, FailedWriteKeepsTheWindowOpen) {
    // A folder in vrel.cfg's place, which no file may replace.
    std::filesystem::remove(CfgFile());
    testing::WriteFile(CfgFile() / "in the way", "");
    frmOptions window(state_, ports_);
    window.show();
    window.genSound->click();
    window.btnOk->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_TRUE(state_.Config.cfgGeneral.Sound);
    EXPECT_TRUE(std::filesystem::exists(CfgFile() / "in the way"));
}

TEST_F(frmOptionsTest, DescriptionFollowsThePointer) {
    frmOptions window(state_, ports_);
    window.show();
    const QString background = QStringLiteral("Hover any option to see its description.");
    struct Step {
        QWidget* over;
        QString shown;
    };
    const Step steps[] = {
        {window.genSound,
         QStringLiteral("Enabled/Disables those fantastic Dolby Pro-Logic Surround 5.1 THX's "
                        "sounds when you hover/click the buttons.")},
        {window.Frame2, QStringLiteral("Enabled/Disables those fantastic Dolby Pro-Logic "
                                       "Surround 5.1 THX's sounds when you hover/click the "
                                       "buttons.")},  // a frame keeps the last description
        {&window, background},
        {window.genCheckConflicts,
         QStringLiteral("Checks any conflicts between mods before playing. (Recommended)")},
        {window.btnOk,
         QStringLiteral("Checks any conflicts between mods before playing. (Recommended)")},
        {window.Label3, QStringLiteral("Where you installed Fallout 2")},
        {window.genLoadModDesc,
         QStringLiteral("If available, loads the mod description directly from the DAT, if "
                        "disabled, it can save you time when you have lots of mods in your "
                        "Patches folder.")},
        {window.Text1,
         QStringLiteral("If available, loads the mod description directly from the DAT, if "
                        "disabled, it can save you time when you have lots of mods in your "
                        "Patches folder.")},
        {window.pathFallout2, QStringLiteral("Where you installed Fallout 2")},
        {window.genDeleteDataFiles,
         QStringLiteral("When you finish playing Fallout, it will delete any file that was "
                        "created to enable the mods. Warning, if you close Vrel before they're "
                        "delete you will have to do the work manually!")},
        {window.Label1,
         QStringLiteral("When you finish playing Fallout, it will delete any file that was "
                        "created to enable the mods. Warning, if you close Vrel before they're "
                        "delete you will have to do the work manually!")},
        {window.Frame1, QStringLiteral("When you finish playing Fallout, it will delete any file "
                                       "that was created to enable the mods. Warning, if you "
                                       "close Vrel before they're delete you will have to do the "
                                       "work manually!")},
        {&window, background},
    };
    for (const Step& step : steps) {
        testing::MoveOver(step.over);
        EXPECT_EQ(window.Label1->text(), step.shown) << step.over->objectName().toStdString();
    }
}

TEST_F(frmOptionsTest, DescriptionFollowsTheKeyboardFocus) {
    frmOptions window(state_, ports_);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.genCheckConflicts->setFocus();
    QTest::keyClick(window.genCheckConflicts, Qt::Key_Tab);
    EXPECT_EQ(window.Label1->text().toStdString(), kSwitches[1].Description);  // genSound
    window.pathFallout2->setFocus();
    EXPECT_EQ(window.Label1->text().toStdString(), HoverDescription(OptionsHover::Fallout2));
    EXPECT_EQ(window.Label1->accessibleDescription(), window.Label1->text());
}

TEST_F(frmOptionsTest, EveryDescriptionFitsItsLabel) {
    frmOptions window(state_, ports_);
    const QFontMetrics metrics(window.Label1->font());
    std::vector<std::string_view> texts = {HoverDescription(OptionsHover::Background),
                                           HoverDescription(OptionsHover::Fallout2)};
    for (const SwitchSetting& setting : kSwitches) {
        texts.push_back(setting.Description);
    }
    for (const std::string_view text : texts) {
        const QRect needed = metrics.boundingRect(
            window.Label1->rect(), Qt::TextWordWrap,
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        EXPECT_LE(needed.height(), window.Label1->height()) << text;
    }
}

TEST_F(frmOptionsTest, OpensModallyForTheOptionsButton) {
    bool wasModal = false;
    QTimer::singleShot(0, [&wasModal] {
        auto* window = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        wasModal = window->isModal();
        window->btnOk->click();
    });
    ShowOptionsWindow(state_, ports_, nullptr);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(CfgText(), Saved(kUnchangedGeneral, "C:\\Games\\Fallout2"));
}

}  // namespace
}  // namespace vrel
