#include "viewer/frmViewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "Fakes.h"
#include "TempFolder.h"
#include "viewer/ViewerTexts.h"

namespace vrel {
namespace {

using testing::WriteFile;
using namespace std::chrono_literals;

// The splash's own timer never fires in these tests; they tick it themselves.
constexpr auto kNeverTicks = std::chrono::hours(1);

class frmViewerTest : public ::testing::Test {
protected:
    frmViewerTest() { std::filesystem::create_directories(folder_.path()); }

    std::unique_ptr<frmViewer> Viewer(const std::string& commandLine) {
        auto viewer =
            std::make_unique<frmViewer>(ViewerStart{commandLine, folder_.path(), folder_.path()},
                                        ViewerPorts{messages_, lifetime_, pickers_}, kNeverTicks);
        return viewer;
    }

    // Closes with Esc; while a splash shows, looks at it and ticks its timer once.
    void PressEscapeAndTickAnySplash(frmViewer& viewer) {
        QTimer::singleShot(0, [&] {
            auto* splash = qobject_cast<frmExit*>(QApplication::activeModalWidget());
            if (splash == nullptr) {
                return;
            }
            splashSeen_ = true;
            splashCentre_ = splash->frameGeometry().center();
            splashInterval_ = splash->Timer1->intervalAsDuration();
            splash->Timer1_Timer();
        });
        QTest::keyClick(viewer.Text1, Qt::Key_Escape);
        QApplication::processEvents();
    }

    testing::TempFolder folder_;
    testing::FakeMessageBox messages_;
    testing::FakeLifetime lifetime_;
    testing::FakePickers pickers_;
    bool splashSeen_ = false;
    QPoint splashCentre_;
    std::chrono::milliseconds splashInterval_{};
};

TEST_F(frmViewerTest, StartsWithTheNoFileTextInTheGreenScheme) {
    auto viewer = Viewer("");
    EXPECT_EQ(viewer->size(), QSize(664, 454));
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize());
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(viewer->Text1->geometry(), QRect(0, 0, 665, 456));
    EXPECT_EQ(viewer->Text1->toPlainText(), "No file loaded\n");
    EXPECT_EQ(viewer->Text1->palette().color(QPalette::Text), QColor(192, 255, 192));
    EXPECT_EQ(viewer->Text1->palette().color(QPalette::Base), QColor(0, 64, 0));
    EXPECT_EQ(viewer->Text1->font().families().first(), "Terminal");
    EXPECT_EQ(viewer->Text1->font().pointSize(), 9);
    EXPECT_FALSE(viewer->Text1->accessibleName().isEmpty());
    EXPECT_FALSE(viewer->accessibleName().isEmpty());
}

TEST_F(frmViewerTest, ConsoleFontStandInHasTheBoxDrawingGlyphs) {
    auto viewer = Viewer("");
    for (const Qt::Key key : {Qt::Key_F11, Qt::Key_F12}) {
        QTest::keyClick(viewer->Text1, key);
        const QFont font = viewer->Text1->font();
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
        const QFontMetrics metrics(font);
        for (const char32_t glyph : {U'╔', U'═', U'║', U'█', U'▀', U'░', U'▓'}) {
            EXPECT_TRUE(metrics.inFontUcs4(glyph)) << QFontInfo(font).family().toStdString();
        }
    }
}

TEST_F(frmViewerTest, LoadShowsTheTextAndTheLineCount) {
    WriteFile(folder_ / "qrd.nfo", "one\r\n\xC9\xCD\xBB\r\nthree");
    auto viewer = Viewer("");
    viewer->Form_Load();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->Text1->toPlainText(), "one\n╔═╗\nthree\n");
    EXPECT_EQ(viewer->windowTitle().toStdString(), LoadedCaption(3));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(frmViewerTest, MissingFileShowsTheWindowThenEndsWithTheError) {
    auto viewer = Viewer("-f missing.nfo");
    viewer->Form_Load();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle().toStdString(), StartCaption());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, "Error!");
    EXPECT_EQ(lifetime_.ended, 1);
}

TEST_F(frmViewerTest, ColourKeysSetTextThenBackgroundInAnyShiftState) {
    auto viewer = Viewer("");
    const struct {
        Qt::Key key;
        ViewerKey viewerKey;
    } keys[] = {{Qt::Key_F1, ViewerKey::F1}, {Qt::Key_F2, ViewerKey::F2},
                {Qt::Key_F3, ViewerKey::F3}, {Qt::Key_F4, ViewerKey::F4},
                {Qt::Key_F5, ViewerKey::F5}, {Qt::Key_F6, ViewerKey::F6},
                {Qt::Key_F7, ViewerKey::F7}, {Qt::Key_F8, ViewerKey::F8}};
    for (const auto& k : keys) {
        const ColourScheme scheme = CommandForKey(k.viewerKey, {}).Colours;
        for (const Qt::KeyboardModifiers modifiers :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
              Qt::ControlModifier | Qt::AltModifier,
              Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier}) {
            QTest::keyClick(viewer->Text1, k.key == Qt::Key_F1 ? Qt::Key_F2 : Qt::Key_F1);
            QTest::keyClick(viewer->Text1, k.key, modifiers);
            const QPalette palette = viewer->Text1->palette();
            EXPECT_EQ(palette.color(QPalette::Text),
                      QColor(Red(scheme.Text), Green(scheme.Text), Blue(scheme.Text)));
            EXPECT_EQ(palette.color(QPalette::Base),
                      QColor(Red(scheme.Back), Green(scheme.Back), Blue(scheme.Back)));
        }
    }
}

TEST_F(frmViewerTest, FontKeysSetTheFaceAndNineSizeInAnyShiftState) {
    auto viewer = Viewer("");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString face;
    } cases[] = {{Qt::Key_F12, {}, "Fixedsys"},
                 {Qt::Key_F11, Qt::ShiftModifier, "Terminal"},
                 {Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier, "Fixedsys"},
                 {Qt::Key_F11, Qt::AltModifier, "Terminal"}};
    for (const auto& c : cases) {
        QTest::keyClick(viewer->Text1, c.key, c.modifiers);
        EXPECT_EQ(viewer->Text1->font().families().first(), c.face);
        EXPECT_EQ(viewer->Text1->font().pointSize(), 9);
    }
}

TEST_F(frmViewerTest, LoadKeyOpensTheDialogOnlyWithAltAlone) {
    auto viewer = Viewer("");
    const struct {
        Qt::KeyboardModifiers modifiers;
        std::size_t dialogs;
    } cases[] = {{{}, 0},
                 {Qt::ShiftModifier, 0},
                 {Qt::ControlModifier, 0},
                 {Qt::AltModifier | Qt::ShiftModifier, 0},
                 {Qt::ControlModifier | Qt::AltModifier, 0},
                 {Qt::AltModifier, 1}};
    for (const auto& c : cases) {
        pickers_.fileFilters.clear();
        QTest::keyClick(viewer->Text1, Qt::Key_L, c.modifiers);
        EXPECT_EQ(pickers_.fileFilters.size(), c.dialogs) << c.modifiers.toInt();
    }
}

TEST_F(frmViewerTest, AltLReplacesTheTextAndTheCaption) {
    WriteFile(folder_ / "qrd.nfo", "first");
    WriteFile(folder_ / "second.txt", "a\r\nb");
    auto viewer = Viewer("");
    viewer->Form_Load();
    pickers_.files.push_back((folder_ / "second.txt").string());
    QTest::keyClick(viewer.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(viewer->Text1->toPlainText(), "a\nb\n");
    EXPECT_EQ(viewer->windowTitle().toStdString(), LoadedCaption(2));
}

TEST_F(frmViewerTest, OtherKeysDoNothing) {
    auto viewer = Viewer("");
    for (const Qt::Key key : {Qt::Key_F9, Qt::Key_F10, Qt::Key_A, Qt::Key_Return}) {
        QTest::keyClick(viewer->Text1, key, Qt::AltModifier);
    }
    EXPECT_EQ(viewer->Text1->palette().color(QPalette::Base), QColor(0, 64, 0));
    EXPECT_TRUE(pickers_.fileFilters.empty());
    EXPECT_EQ(lifetime_.ended, 0);
}

TEST_F(frmViewerTest, EscapeShowsTheSplashCentredOverTheViewerWhichEndsTheProgram) {
    auto viewer = Viewer("");
    viewer->show();
    PressEscapeAndTickAnySplash(*viewer);
    EXPECT_TRUE(splashSeen_);
    EXPECT_EQ(splashCentre_, viewer->frameGeometry().center());
    EXPECT_EQ(splashInterval_, kNeverTicks);
    EXPECT_EQ(lifetime_.ended, 1);
}

TEST_F(frmViewerTest, EscapeWithNoSplashSwitchEndsAtOnce) {
    auto viewer = Viewer("-f x.nfo -ns");
    viewer->show();
    PressEscapeAndTickAnySplash(*viewer);
    EXPECT_FALSE(splashSeen_);
    EXPECT_EQ(lifetime_.ended, 1);
}

TEST_F(frmViewerTest, SystemCloseRunsTheSameClosingStep) {
    for (const char* commandLine : {"", "-ns"}) {
        lifetime_.ended = 0;
        splashSeen_ = false;
        auto viewer = Viewer(commandLine);
        viewer->show();
        QTimer::singleShot(0, [&] {
            if (auto* splash = qobject_cast<frmExit*>(QApplication::activeModalWidget())) {
                splashSeen_ = true;
                splash->Timer1_Timer();
            }
        });
        viewer->close();
        QApplication::processEvents();
        EXPECT_EQ(splashSeen_, std::string(commandLine).empty()) << commandLine;
        EXPECT_EQ(lifetime_.ended, 1) << commandLine;
    }
}

}  // namespace
}  // namespace vrel
