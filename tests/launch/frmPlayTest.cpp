#include "launch/frmPlay.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Fakes.h"

namespace vrel {
namespace {

class frmPlayTest : public ::testing::Test {
protected:
    frmPlayTest() { state_.Config.cfgPath.Fallout2 = "/games/fallout2"; }

    ProgramState state_;
    testing::FakeMessageBox messages_;
    testing::FakeLifetime lifetime_;
    testing::FakeSounds sounds_;
    testing::FakePickers pickers_;
    testing::FakeRegistry registry_;
    testing::FakeProcesses processes_;
    testing::FakeShell shell_;
    Ports ports_{messages_, lifetime_, sounds_, pickers_, registry_, processes_, shell_};
};

TEST_F(frmPlayTest, StartsTheGameInItsFolderAndEndsAtTheFirstTickAfterIt) {
    frmPlay window(state_, ports_, 60'000);
    processes_.running = true;
    int ticks = 0;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.GamePID, 42);
        EXPECT_TRUE(window.PROCESSTimer->isActive());
        EXPECT_EQ(window.PROCESSTimer->interval(), 60'000);
        window.PROCESSTimer_Timer();  // still running: nothing happens
        ++ticks;
        EXPECT_TRUE(window.isVisible());
        processes_.running = false;
        window.PROCESSTimer_Timer();
        ++ticks;
    });
    window.Run();
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(processes_.started.size(), 1u);
    EXPECT_EQ(processes_.started[0].program, std::filesystem::path("/games/fallout2/Fallout2.exe"));
    EXPECT_EQ(processes_.started[0].workingFolder, std::filesystem::path("/games/fallout2"));
    EXPECT_EQ(processes_.queried, (std::vector<ProcessId>{42, 42}));
    EXPECT_EQ(frmPlay::kPollInterval, 4000);
}

TEST_F(frmPlayTest, ClosingIsRefusedWhileTheGameRunsAndEmergencyExitAsksFirst) {
    frmPlay window(state_, ports_, 60'000);
    processes_.running = true;
    messages_.answers = {MessageAnswer::No, MessageAnswer::Yes};
    QTimer::singleShot(0, &window, [&] {
        window.close();
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        QTest::mouseClick(window.btnEExit, Qt::LeftButton);
        EXPECT_EQ(lifetime_.ended, 0);
        EXPECT_TRUE(window.PROCESSTimer->isActive());
        QTest::mouseClick(window.btnEExit, Qt::LeftButton);
        EXPECT_EQ(lifetime_.ended, 1);
        processes_.running = false;
        window.PROCESSTimer_Timer();
    });
    window.Run();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].title, "Warning!!");
    EXPECT_EQ(messages_.shown[0].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Critical);
    EXPECT_NE(messages_.shown[0].text.find(
                  "Are you really sure you want to do this?\r\rFallout 2 is still running"),
              std::string::npos);
}

TEST_F(frmPlayTest, AGameThatCannotStartIsReportedAndTheWaitEnds) {
    processes_.startResult = std::nullopt;
    frmPlay window(state_, ports_);
    window.Run();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, "Can't begin the game!");
    EXPECT_TRUE(processes_.queried.empty());
}

}  // namespace
}  // namespace vrel
