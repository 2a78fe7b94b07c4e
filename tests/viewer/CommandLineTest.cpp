#include "viewer/CommandLine.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

struct StartCase {
    const char* CommandLine;
    StartKind kind;
    const char* fileName;
};
void PrintTo(const StartCase& c, std::ostream* os) {
    *os << '"' << c.CommandLine << '"';
}

class PlanStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(PlanStartTest, FirstMatchingRuleWins) {
    const StartCase& c = GetParam();
    const auto plan = PlanStart(c.CommandLine);
    ASSERT_TRUE(plan) << c.CommandLine;
    EXPECT_EQ(plan->Kind, c.kind);
    if (c.kind != StartKind::OpenDialog) {
        EXPECT_EQ(plan->FileName, c.fileName);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PlanStartTest,
    ::testing::Values(StartCase{"", StartKind::LoadReleaseNotes, "qrd.nfo"},
                      StartCase{"-ns", StartKind::LoadReleaseNotes, "qrd.nfo"},
                      StartCase{"-F notes.nfo", StartKind::LoadReleaseNotes, "qrd.nfo"},
                      StartCase{"-f notes.nfo", StartKind::LoadNamedFile, "notes.nfo"},
                      StartCase{"-f  notes.nfo", StartKind::LoadNamedFile, " notes.nfo"},
                      StartCase{"-f notes.nfo -ns", StartKind::LoadNamedFile, "notes.nfo -ns"},
                      StartCase{"-ns -f notes.nfo", StartKind::LoadNamedFile, "notes.nfo"},
                      StartCase{"-f my notes.nfo", StartKind::LoadNamedFile, "my notes.nfo"},
                      StartCase{"-f ", StartKind::LoadNamedFile, ""},
                      StartCase{"-fxnotes.nfo", StartKind::LoadNamedFile, "notes.nfo"},
                      StartCase{"-f a.nfo -f b.nfo", StartKind::LoadNamedFile, "a.nfo -f b.nfo"},
                      StartCase{"-o", StartKind::OpenDialog, ""},
                      StartCase{"-f notes.nfo -o", StartKind::OpenDialog, ""},
                      StartCase{"-o -f notes.nfo", StartKind::OpenDialog, ""},
                      StartCase{"-f info-old.nfo", StartKind::OpenDialog, ""}));

TEST(PlanStartTest, NothingAfterTheFileSwitchFails) {
    for (const char* commandLine : {"-f", "-ns -f"}) {
        const auto plan = PlanStart(commandLine);
        ASSERT_FALSE(plan) << commandLine;
        EXPECT_EQ(plan.error(), StartPlanProblem::NoFileName);
    }
}

TEST(SkipsExitSplashTest, LooksForNoSplashSwitchAnywhereCaseSensitive) {
    EXPECT_TRUE(SkipsExitSplash("-ns"));
    EXPECT_TRUE(SkipsExitSplash("-f notes.nfo -ns"));
    EXPECT_TRUE(SkipsExitSplash("-f design-nsx.nfo"));
    EXPECT_FALSE(SkipsExitSplash(""));
    EXPECT_FALSE(SkipsExitSplash("-NS"));
    EXPECT_FALSE(SkipsExitSplash("-n s"));
}

}  // namespace
}  // namespace vrel
