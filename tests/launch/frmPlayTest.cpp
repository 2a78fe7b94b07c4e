#include "launch/frmPlay.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Fakes.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

const std::filesystem::path kGame = "/games/fallout2/FALLOUT2.EXE";

class frmPlayTest : public ::testing::Test {
protected:
    frmPlayTest() { state_.Config.cfgPath.Fallout2 = "/games/fallout2"; }

    ProgramState state_;
    testing::FakePorts fakes_;
    Ports& ports_ = fakes_.ports;
};

TEST_F(frmPlayTest, StartsTheGameInItsFolderAndEndsAtTheFirstTickAfterIt) {
    frmPlay window(state_, ports_, 60'000);
    fakes_.processes.running = true;
    int ticks = 0;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.GamePID, 42);
        EXPECT_TRUE(window.PROCESSTimer->isActive());
        EXPECT_EQ(window.PROCESSTimer->interval(), 60'000);
        window.PROCESSTimer_Timer();  // still running: nothing happens
        ++ticks;
        EXPECT_TRUE(window.isVisible());
        fakes_.processes.running = false;
        window.PROCESSTimer_Timer();
        ++ticks;
    });
    window.Run(kGame);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(fakes_.processes.started.size(), 1u);
    EXPECT_EQ(fakes_.processes.started[0].program, kGame);
    EXPECT_EQ(fakes_.processes.started[0].workingFolder, std::filesystem::path("/games/fallout2"));
    EXPECT_EQ(fakes_.processes.queried, (std::vector<ProcessId>{42, 42}));
    EXPECT_EQ(frmPlay::kPollInterval, 4000);
}

TEST_F(frmPlayTest, ClosingIsRefusedWhileTheGameRunsAndEmergencyExitAsksFirst) {
    frmPlay window(state_, ports_, 60'000);
    fakes_.processes.running = true;
    fakes_.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    QTimer::singleShot(0, &window, [&] {
        window.close();
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        QTest::mouseClick(window.btnEExit, Qt::LeftButton);
        EXPECT_EQ(fakes_.lifetime.ended, 0);
        EXPECT_TRUE(window.PROCESSTimer->isActive());
        QTest::mouseClick(window.btnEExit, Qt::LeftButton);
        EXPECT_EQ(fakes_.lifetime.ended, 1);
        fakes_.processes.running = false;
        window.PROCESSTimer_Timer();
    });
    window.Run(kGame);
    ASSERT_EQ(fakes_.messages.shown.size(), 2u);
    EXPECT_EQ(fakes_.messages.shown[0].title, "Warning!!");
    EXPECT_EQ(fakes_.messages.shown[0].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(fakes_.messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_NE(fakes_.messages.shown[0].text.find(
                  "Are you really sure you want to do this?\r\rFallout 2 is still running"),
              std::string::npos);
}

TEST_F(frmPlayTest, AGameThatCannotStartIsReportedAndTheWaitEnds) {
    // The closing sentence is true only when Play removes the unpacked files afterwards.
    const struct {
        bool deleteDataFiles;
        bool saysRemoved;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& c : cases) {
        state_.Config.cfgGeneral.DeleteDataFiles = c.deleteDataFiles;
        fakes_.messages.shown.clear();
        fakes_.processes.startResult = std::nullopt;
        frmPlay window(state_, ports_);
        window.Run(kGame);
        EXPECT_FALSE(window.isVisible());
        ASSERT_EQ(fakes_.messages.shown.size(), 1u);
        const std::string& text = fakes_.messages.shown[0].text;
        EXPECT_EQ(fakes_.messages.shown[0].title, "Can't begin the game!");
        // The message names the file that was started and why it did not start.
        EXPECT_NE(text.find(PathToDisplay(kGame) + ": No such file"), std::string::npos);
        EXPECT_EQ(text.find("The mod files are removed again.") != std::string::npos, c.saysRemoved)
            << "DeleteDataFiles " << c.deleteDataFiles;
        EXPECT_TRUE(fakes_.processes.queried.empty());
    }
}

}  // namespace
}  // namespace vrel
