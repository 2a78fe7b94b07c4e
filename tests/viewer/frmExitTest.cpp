#include "viewer/frmExit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "Fakes.h"

namespace vrel {
namespace {

using namespace std::chrono_literals;

TEST(frmExitTest, BorderlessWithPictureAndTwoCreditLines) {
    testing::FakeLifetime lifetime;
    frmExit splash(lifetime);
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.size(), QSize(250, 149));
    EXPECT_EQ(splash.Picture1->geometry(), QRect(4, 4, 241, 101));
    EXPECT_EQ(splash.Picture1->pixmap().size(), QSize(250, 100));
    EXPECT_EQ(splash.Label1->geometry(), QRect(4, 108, 241, 17));
    EXPECT_EQ(splash.Label2->geometry(), QRect(4, 128, 241, 17));
    EXPECT_TRUE(splash.Label1->text().startsWith("Coded by "));
    EXPECT_TRUE(splash.Label1->text().endsWith(" / qrd"));
    EXPECT_TRUE(splash.Label2->text().startsWith("GFX by "));
    EXPECT_TRUE(splash.Label2->text().endsWith(" / qrd"));
    EXPECT_TRUE(splash.Label1->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_FALSE(splash.Picture1->accessibleName().isEmpty());
}

TEST(frmExitTest, TimerRunsThreeSecondsFromCreation) {
    testing::FakeLifetime lifetime;
    frmExit splash(lifetime);
    EXPECT_TRUE(splash.Timer1->isActive());
    EXPECT_EQ(splash.Timer1->intervalAsDuration(), 3000ms);
    EXPECT_EQ(lifetime.ended, 0);
}

TEST(frmExitTest, FirstTickEndsTheProgram) {
    testing::FakeLifetime lifetime;
    frmExit splash(lifetime, 0ms);
    splash.exec();
    EXPECT_EQ(lifetime.ended, 1);
    EXPECT_FALSE(splash.Timer1->isActive());
}

TEST(frmExitTest, EscapeAndCloseRequestsAreIgnoredUntilTheTickEndsTheProgram) {
    testing::FakeLifetime lifetime;
    frmExit splash(lifetime, std::chrono::hours(1));
    std::vector<std::string> ignored;
    QTimer::singleShot(0, &splash, [&] {
        QTest::keyClick(&splash, Qt::Key_Escape);
        if (splash.isVisible()) {
            ignored.push_back("Esc");
        }
        QCloseEvent systemClose;  // Alt+F4 and the system menu's Close both arrive as this
        QApplication::sendEvent(&splash, &systemClose);
        if (splash.isVisible() && !systemClose.isAccepted()) {
            ignored.push_back("close");
        }
        splash.close();
        if (splash.isVisible()) {
            ignored.push_back("close()");
        }
        EXPECT_EQ(lifetime.ended, 0);
        splash.Timer1_Timer();
    });
    splash.exec();
    EXPECT_EQ(ignored, (std::vector<std::string>{"Esc", "close", "close()"}));
    EXPECT_EQ(lifetime.ended, 1);
}

}  // namespace
}  // namespace vrel
