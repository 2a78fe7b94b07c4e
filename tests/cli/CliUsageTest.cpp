#include <gtest/gtest.h>

#include <random>

#include "Allocations.h"
#include "RunTool.h"
#include "TempFolder.h"

namespace vrel {
namespace {

using testing::RunTool;

struct UsageCase {
    const char* Label;
    std::vector<std::string> Args;
    std::string Message;
};

void PrintTo(const UsageCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, GoToStderrWithExitTwo) {
    const auto run = RunTool(GetParam().Args);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find(GetParam().Message), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("usage: vrel-dat"), std::string::npos) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrors,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "no command given"},
        UsageCase{"UnknownCommand", {"unpack", "a.dat"}, "unknown command 'unpack'"},
        UsageCase{"MissingArchive", {"list"}, "missing arguments"},
        UsageCase{"MissingFolder", {"extract", "a.dat"}, "missing arguments"},
        UsageCase{"TooManyArguments", {"verify", "a.dat", "b.dat"}, "unexpected argument b.dat"},
        UsageCase{"UnknownOption", {"list", "a.dat", "--xml"}, "unknown option --xml"},
        UsageCase{"OptionOfAnotherCommand", {"info", "a.dat", "-q"}, "unknown option -q"},
        UsageCase{"LevelOutOfRange", {"pack", "in", "a.dat", "--level", "10"}, "0 to 9"},
        UsageCase{"LevelNotANumber", {"pack", "in", "a.dat", "--level=fast"}, "0 to 9"},
        UsageCase{"LevelWithoutValue", {"pack", "in", "a.dat", "--level"}, "needs a value"},
        UsageCase{"StoreAndLevel",
                  {"pack", "in", "a.dat", "--store", "--level", "6"},
                  "exclude each other"}),
    [](const auto& testCase) { return std::string(testCase.param.Label); });

class CommandHelp : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandHelp, GoesToStdoutWithExitZero) {
    const auto run = RunTool({GetParam(), "--help"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out.rfind(std::string("usage: vrel-dat ") + GetParam() + " ", 0), 0u) << run.Out;
    EXPECT_EQ(RunTool({"help", GetParam()}).Out, run.Out);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelp,
                         ::testing::Values("list", "info", "extract", "pack", "verify",
                                           "conflicts"));

TEST(VrelDat, ToolHelpListsEveryCommand) {
    const auto run = RunTool({"--help"});
    EXPECT_EQ(run.ExitCode, 0);
    for (const char* command : {"list", "info", "extract", "pack", "verify", "conflicts"}) {
        EXPECT_NE(run.Out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    }
}

TEST(VrelDat, VersionNamesTheRelease) {
    const auto run = RunTool({"--version"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, std::string("vrel-dat ") + VREL_VERSION_TEXT + "\n");
}

TEST(VrelDat, DoubleDashLetsAnArchiveStartWithADash) {
    testing::TempFolder folder;
    const auto run = RunTool({"list", "--", (folder / "-odd.dat").string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("-odd.dat: the file cannot be opened"), std::string::npos) << run.Err;
}

// Where memory runs short, each command says which member it could not hold, and stops: for a
// member held whole and for one read piece by piece alike.
TEST(VrelDat, OutOfMemoryNamesTheMember) {
    for (const std::size_t size : {std::size_t{3} << 20, std::size_t{6} << 20}) {
        SCOPED_TRACE(size);
        testing::TempFolder folder;
        std::vector<std::uint8_t> noise(size);
        std::mt19937 generator(5);
        for (auto& byte : noise) {
            byte = static_cast<std::uint8_t>(generator());
        }
        const auto mod = folder / "Mod";
        testing::WriteFile(mod / "data" / "art" / "shortfall.frm", noise);
        const auto archive = (folder / "Mod.dat").string();
        ASSERT_EQ(RunTool({"pack", (mod / "data").string(), archive}).ExitCode, 0);
        const auto patches = folder / "Patches";
        std::filesystem::create_directory(patches);
        const std::vector<std::vector<std::string>> commands = {
            {"import", mod.string(), patches.string()},
            {"pack", (mod / "data").string(), (folder / "Again.dat").string()},
            {"extract", archive, (folder / "out").string()},
            {"verify", archive}};
        for (const auto& command : commands) {
            testing::ToolRun run;
            testing::RefuseAllocationsFrom(std::size_t{1} << 20, [&] { run = RunTool(command); });
            EXPECT_EQ(run.ExitCode, 1) << command[0];
            const std::string said = run.Err + run.Out;
            EXPECT_NE(said.find("shortfall.frm"), std::string::npos) << said;
            EXPECT_NE(said.find("memory"), std::string::npos) << said;
        }
        EXPECT_TRUE(std::filesystem::is_empty(patches));
        EXPECT_FALSE(std::filesystem::exists(folder / "Again.dat"));
    }
}

}  // namespace
}  // namespace vrel
