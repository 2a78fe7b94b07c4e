#include "launch/frmDCheck.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Fakes.h"
#include "ModListBuilder.h"
#include "archive/ConflictCheck.h"

namespace vrel {
namespace {

using testing::DatSpec;
using testing::FillCatalogue;
using testing::SelectedFlags;

const std::string iface = "art\\intrface\\iface.frm";
const char* const startCaption =
    "I'm currently checking the selected DATs to ensure there're no conflicts";

// A delay no test outlives: the timer runs but never ticks by itself.
constexpr int kNeverTicks = 3'600'000;

QColor BackColor(const QPushButton* button) {
    return button->palette().color(QPalette::Button);
}

class frmDCheckTest : public ::testing::Test {
protected:
    frmDCheckTest() {
        state_.ProgramFolder = "/opt/vrel";
        state_.Config.cfgGeneral.Sound = true;
        FillCatalogue(state_.Mods, {{"/opt/vrel/Patches/patch000.dat", true, {"x.frm"}},
                                    {"/opt/vrel/Patches/a.dat", true, {iface, "a.map"}},
                                    {"/opt/vrel/Patches/b.dat", false, {iface, "a.map"}},
                                    {"/opt/vrel/Patches/c.dat", true, {"y.pro", iface}}});
    }

    // Shows the window and runs the check as its timer's tick would, by hand, so that the clock
    // plays no part.
    void ShowAndCheck(frmDCheck& window) {
        window.show();
        ASSERT_TRUE(window.Timer1->isActive());
        window.Timer1_Timer();
        ASSERT_NE(window.Label1->text(), startCaption);
    }

    std::vector<std::filesystem::path> Played(const char* wavName) const {
        std::vector<std::filesystem::path> played;
        for (const auto& path : sounds_.played) {
            if (path.filename() == wavName) {
                played.push_back(path);
            }
        }
        return played;
    }

    ProgramState state_;
    testing::FakeSounds sounds_;
};

TEST_F(frmDCheckTest, ControlsAsDesignedAndNamedForScreenReaders) {
    frmDCheck window(state_, sounds_);
    EXPECT_EQ(window.Label1->text(), startCaption);
    EXPECT_EQ(window.ConflictList->count(), 0);
    EXPECT_EQ(window.btnGo->text(), "Continue");
    EXPECT_EQ(window.btnCancel->text(), "Cancel");
    EXPECT_FALSE(window.btnGo->icon().isNull());
    EXPECT_FALSE(window.btnCancel->icon().isNull());
    EXPECT_EQ(BackColor(window.btnGo), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(BackColor(window.btnCancel), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(window.Timer1->interval(), 200);
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             &window, window.Label1, window.ConflictList, window.btnGo, window.btnCancel}) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    }
}

TEST_F(frmDCheckTest, TimerChecksOnceAfterShowingAndKeepsEveryTick) {
    const std::vector<bool> before = SelectedFlags(state_.Mods.FalloutDats());
    frmDCheck window(state_, sounds_, 0);
    window.show();
    EXPECT_TRUE(window.Timer1->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.ConflictList->count() > 0; }));

    EXPECT_FALSE(window.Timer1->isActive());
    ASSERT_EQ(window.ConflictList->count(), 1);
    EXPECT_EQ(window.ConflictList->item(0)->text().toStdString(),
              iface + " on a.dat conflicts with c.dat (c.dat wins)");
    EXPECT_EQ(window.Label1->text().toStdString(), VerdictText(ConflictVerdict::Minor));
    EXPECT_EQ(window.Label1->accessibleDescription(), window.Label1->text());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(SelectedFlags(state_.Mods.FalloutDats()), before);
    EXPECT_FALSE(state_.CancelPlay);
    EXPECT_TRUE(sounds_.played.empty());
}

struct VerdictCase {
    std::string name;
    std::vector<DatSpec> dats;
    ConflictVerdict verdict;
    int lines;
};

TEST_F(frmDCheckTest, VerdictTextAndOneRowPerClash) {
    const std::vector<VerdictCase> cases{
        {"None",
         {{"/p/a.dat", true, {"data\\vault13.gam"}}, {"/p/b.dat", true, {"data\\vault13.gam"}}},
         ConflictVerdict::None,
         0},
        {"Minor",
         {{"/p/a.dat", true, {"a.frm", "b.pro"}}, {"/p/b.dat", true, {"b.pro", "a.frm"}}},
         ConflictVerdict::Minor,
         2},
        {"Heavy",
         {{"/p/a.dat", true, {"a.frm", "m.msg"}}, {"/p/b.dat", true, {"m.msg", "a.frm"}}},
         ConflictVerdict::Heavy,
         2},
    };
    for (const VerdictCase& c : cases) {
        ProgramState state;
        FillCatalogue(state.Mods, c.dats);
        frmDCheck window(state, sounds_);
        window.ConflictList->addItem(QStringLiteral("left from before"));
        window.Timer1_Timer();
        EXPECT_EQ(window.Label1->text().toStdString(), VerdictText(c.verdict)) << c.name;
        EXPECT_EQ(window.ConflictList->count(), c.lines) << c.name;
        EXPECT_FALSE(window.Timer1->isActive()) << c.name;
    }
}

TEST_F(frmDCheckTest, MemberNamesShowInTheirCodePageAndArchivesAsTheFileSystemNamesThem) {
    ProgramState state;
    const std::filesystem::path first = std::filesystem::path("p") / u8"Überarbeitung.dat";
    const std::filesystem::path second = std::filesystem::path("p") / u8"Невада.dat";
    FillCatalogue(state.Mods, {{first, true, {"text\\\xE9t\xE9.frm"}},
                               {second, true, {"text\\\xE9t\xE9.frm"}}});
    frmDCheck window(state, sounds_);
    window.Timer1_Timer();
    ASSERT_EQ(window.ConflictList->count(), 1);
    EXPECT_EQ(
        window.ConflictList->item(0)->text(),
        QString::fromUtf8(
            "text\\été.frm on Überarbeitung.dat conflicts with Невада.dat (Невада.dat wins)"));
}

enum class Closing { Go, Cancel, CloseRequest, EscapeKey, EnterOnCancel };

struct ButtonCase {
    std::string name;
    Closing closing;
    bool sound;
    bool cancelPlay;
    int clickSounds;
};

TEST_F(frmDCheckTest, OnlyContinueGoesOnToPlay) {
    const std::vector<ButtonCase> cases{
        {"Go", Closing::Go, true, false, 1},
        {"GoSilent", Closing::Go, false, false, 0},
        {"Cancel", Closing::Cancel, true, true, 1},
        {"CancelSilent", Closing::Cancel, false, true, 0},
        {"CloseRequest", Closing::CloseRequest, true, true, 0},
        {"EscapeKey", Closing::EscapeKey, true, true, 0},
        {"EnterOnCancel", Closing::EnterOnCancel, true, true, 1},
    };
    const std::vector<bool> before = SelectedFlags(state_.Mods.FalloutDats());
    for (const ButtonCase& c : cases) {
        state_.CancelPlay = false;
        state_.Config.cfgGeneral.Sound = c.sound;
        sounds_.played.clear();
        frmDCheck window(state_, sounds_, 0);
        ShowAndCheck(window);
        switch (c.closing) {
            case Closing::Go:
                QTest::mouseClick(window.btnGo, Qt::LeftButton);
                break;
            case Closing::Cancel:
                QTest::mouseClick(window.btnCancel, Qt::LeftButton);
                break;
            case Closing::CloseRequest:
                window.close();
                break;
            case Closing::EscapeKey:
                QTest::keyClick(&window, Qt::Key_Escape);
                break;
            case Closing::EnterOnCancel:
                window.btnCancel->setFocus();
                QTest::keyClick(window.btnCancel, Qt::Key_Return);
                break;
        }
        EXPECT_FALSE(window.isVisible()) << c.name;
        EXPECT_EQ(state_.CancelPlay, c.cancelPlay) << c.name;
        const auto clicks = Played("butin3.wav");
        ASSERT_EQ(static_cast<int>(clicks.size()), c.clickSounds) << c.name;
        if (!clicks.empty()) {
            EXPECT_EQ(clicks.front(), std::filesystem::path("/opt/vrel/butin3.wav")) << c.name;
        }
        EXPECT_EQ(SelectedFlags(state_.Mods.FalloutDats()), before) << c.name;
    }
}

TEST_F(frmDCheckTest, GoBeforeTheTimerSkipsTheCheck) {
    frmDCheck window(state_, sounds_, kNeverTicks);
    window.show();
    QTest::mouseClick(window.btnGo, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(window.Label1->text(), startCaption);
    EXPECT_EQ(window.ConflictList->count(), 0);
    EXPECT_FALSE(state_.CancelPlay);
}

TEST_F(frmDCheckTest, ShownModallyItChecksAndReturnsOnContinue) {
    const std::vector<bool> before = SelectedFlags(state_.Mods.FalloutDats());
    frmDCheck window(state_, sounds_, 0);
    bool checkedWhileModal = false;
    QTimer::singleShot(0, &window, [&] {
        checkedWhileModal =
            window.isModal() && QTest::qWaitFor([&] { return window.ConflictList->count() == 1; });
        QTest::mouseClick(window.btnGo, Qt::LeftButton);
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_TRUE(checkedWhileModal);
    EXPECT_FALSE(state_.CancelPlay);
    EXPECT_EQ(SelectedFlags(state_.Mods.FalloutDats()), before);
}

TEST_F(frmDCheckTest, ShownModallyCancelSetsCancelPlay) {
    frmDCheck window(state_, sounds_, 0);
    bool checked = false;
    QTimer::singleShot(0, &window, [&] {
        checked = QTest::qWaitFor([&] { return window.ConflictList->count() == 1; });
        QTest::mouseClick(window.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(state_.CancelPlay);
}

TEST_F(frmDCheckTest, HoverLightsOneButtonAndSoundsOncePerEntry) {
    frmDCheck window(state_, sounds_, kNeverTicks);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QColor dim(0xC0, 0xC0, 0xC0);
    const QColor lit(0xE0, 0xE0, 0xE0);

    QTest::mouseMove(window.btnGo);
    EXPECT_EQ(BackColor(window.btnGo), lit);
    EXPECT_EQ(BackColor(window.btnCancel), dim);
    QTest::mouseMove(window.btnGo, window.btnGo->rect().center() + QPoint(3, 1));
    ASSERT_EQ(Played("butin4.wav").size(), 1U);
    EXPECT_EQ(Played("butin4.wav").front(), std::filesystem::path("/opt/vrel/butin4.wav"));

    QTest::mouseMove(window.btnCancel);
    EXPECT_EQ(BackColor(window.btnGo), dim);
    EXPECT_EQ(BackColor(window.btnCancel), lit);
    EXPECT_EQ(Played("butin4.wav").size(), 2U);

    QTest::mouseMove(&window, QPoint(6, window.height() - 6));
    EXPECT_EQ(BackColor(window.btnGo), dim);
    EXPECT_EQ(BackColor(window.btnCancel), dim);

    state_.Config.cfgGeneral.Sound = false;
    QTest::mouseMove(window.btnGo);
    EXPECT_EQ(BackColor(window.btnGo), lit);
    EXPECT_EQ(Played("butin4.wav").size(), 2U);
    EXPECT_TRUE(Played("butin3.wav").empty());
}

TEST_F(frmDCheckTest, PressOnBackgroundOrVerdictMovesTheWindow) {
    frmDCheck window(state_, sounds_, kNeverTicks);
    int moves = 0;
    window.StartMove = [&] { ++moves; };
    window.show();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_EQ(moves, 1);
    QTest::mousePress(window.Label1, Qt::RightButton);
    QTest::mouseRelease(window.Label1, Qt::RightButton);
    EXPECT_EQ(moves, 2);
    QTest::mousePress(window.ConflictList->viewport(), Qt::LeftButton);
    QTest::mouseRelease(window.ConflictList->viewport(), Qt::LeftButton);
    EXPECT_EQ(moves, 2);
}

}  // namespace
}  // namespace vrel
