#include "app/CreditShow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vrel {
namespace {

enum class Phase { FadingIn, Holding, FadingOut };

Phase PhaseOf(const CreditShow& show) {
    const int enabled =
        show.FadeTimerEnabled() + show.ShowTimerEnabled() + show.FadeTimer2Enabled();
    EXPECT_EQ(enabled, 1) << "exactly one timer runs at a time";
    if (show.FadeTimerEnabled()) {
        return Phase::FadingIn;
    }
    return show.ShowTimerEnabled() ? Phase::Holding : Phase::FadingOut;
}

// Ticks whichever timer is enabled until the phase changes; returns the number of ticks and
// checks the colour bounds on the way.
int RunPhase(CreditShow& show) {
    const Phase start = PhaseOf(show);
    int ticks = 0;
    while (PhaseOf(show) == start && ticks < 1000) {
        if (show.FadeTimerEnabled()) {
            show.FadeTimer_Timer();
        } else if (show.ShowTimerEnabled()) {
            show.ShowTimer_Timer();
        } else {
            show.FadeTimer2_Timer();
        }
        ++ticks;
        EXPECT_GE(show.ForeColor(), kCreditColourDark);
        EXPECT_LE(show.ForeColor(), kCreditColourBright);
        const int red = show.ForeColor() & 0xFF;
        EXPECT_EQ(show.ForeColor(), red * 0x010101) << "the credit line is always grey";
    }
    return ticks;
}

TEST(CreditShowTest, StartsWithTheFirstLineDarkAndFadingIn) {
    CreditShow show;
    EXPECT_EQ(show.Caption(), "Vrel");
    EXPECT_EQ(show.ForeColor(), 0x404040);
    EXPECT_EQ(PhaseOf(show), Phase::FadingIn);
    show.FadeTimer_Timer();
    EXPECT_EQ(show.ForeColor(), 0x444444);
}

TEST(CreditShowTest, OneLineTakesFortySevenStepsAndOneMoreTickEachWay) {
    CreditShow show;
    for (int step = 0; step < 47; ++step) {
        show.FadeTimer_Timer();
    }
    EXPECT_EQ(show.ForeColor(), 0xFCFCFC);
    EXPECT_EQ(PhaseOf(show), Phase::FadingIn);
    show.FadeTimer_Timer();
    EXPECT_EQ(show.ForeColor(), 0xFCFCFC);
    EXPECT_EQ(PhaseOf(show), Phase::Holding);

    show.ShowTimer_Timer();
    EXPECT_EQ(PhaseOf(show), Phase::FadingOut);

    for (int step = 0; step < 47; ++step) {
        show.FadeTimer2_Timer();
    }
    EXPECT_EQ(show.ForeColor(), 0x404040);
    EXPECT_EQ(show.Caption(), "Vrel");
    show.FadeTimer2_Timer();
    EXPECT_EQ(show.ForeColor(), 0x404040) << "the new line starts from the darkest grey";
    EXPECT_EQ(show.Caption(), std::string(kCreditLines[1]));
    EXPECT_EQ(PhaseOf(show), Phase::FadingIn);
}

TEST(CreditShowTest, OneWholeCycleShowsEveryLineInOrderAndStartsAgain) {
    CreditShow show;
    std::vector<std::string> shown;
    for (int line = 0; line < 15; ++line) {
        shown.push_back(show.Caption());
        EXPECT_EQ(RunPhase(show), 48);
        EXPECT_EQ(RunPhase(show), 1);
        EXPECT_EQ(RunPhase(show), 48);
    }
    ASSERT_EQ(shown.size(), 15u);
    for (std::size_t i = 0; i < kCreditLines.size(); ++i) {
        EXPECT_EQ(shown[i], std::string(kCreditLines[i]));
    }
    EXPECT_EQ(shown[14], "Vrel") << "line 14 is followed by line 1, not by the fallback line";
}

TEST(CreditShowTest, AStrangeCaptionGivesTheFallbackLineAndThenTheFirstLine) {
    CreditShow show;
    show.SetCaption("vrel");  // the comparison is case-sensitive
    RunPhase(show);
    RunPhase(show);
    RunPhase(show);
    EXPECT_EQ(show.Caption(), std::string(kCreditFallbackLine));
    RunPhase(show);
    RunPhase(show);
    RunPhase(show);
    EXPECT_EQ(show.Caption(), "Vrel");
}

struct SuccessorCase {
    std::string caption;
    std::string next;
};

TEST(CreditShowTest, SuccessorOfEachLine) {
    const std::vector<SuccessorCase> cases = {
        {"Vrel", std::string(kCreditLines[1])},
        {"Special Thanks to...", std::string(kCreditLines[4])},
        {"Brought to you by Orvanis", "The best Fallout community at..."},
        {"See 'About' for links", "Vrel"},
        {std::string(kCreditFallbackLine), "Vrel"},
        {"", std::string(kCreditFallbackLine)},
        {"See 'About' for links ", std::string(kCreditFallbackLine)},
    };
    for (const auto& c : cases) {
        CreditShow show;
        show.SetCaption(c.caption);
        RunPhase(show);
        RunPhase(show);
        RunPhase(show);
        EXPECT_EQ(show.Caption(), c.next) << "after \"" << c.caption << "\"";
    }
}

TEST(CreditShowTest, TheFixedLinesStandAsTheProgramShowsThem) {
    EXPECT_EQ(kCreditLines[0], "Vrel");
    EXPECT_EQ(kCreditLines[2].substr(0, 7), "GFX by ");
    EXPECT_EQ(kCreditLines[1].substr(0, 9), "Coded by ");
    EXPECT_EQ(kCreditLines[3], "Special Thanks to...");
    EXPECT_EQ(kCreditLines[8].substr(0, 4), "and ");
    EXPECT_EQ(kCreditLines[9], "for testing Vrel!");
    EXPECT_EQ(kCreditLines[10], "Brought to you by Orvanis");
    EXPECT_EQ(kCreditLines[11], "The best Fallout community at...");
    EXPECT_EQ(kCreditLines[13], "See 'About' for links");
}

}  // namespace
}  // namespace vrel
