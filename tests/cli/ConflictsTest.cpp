#include <gtest/gtest.h>

#include "DatImage.h"
#include "RunTool.h"
#include "TempFolder.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

const std::string kNone = "Good, there were no conflicts, hit Continue to run the game.";
const std::string kMinor =
    "I found some minor conflicts, although the game will run perfectly with them, some mods "
    "may not appear in the game or they could behave incorrectly. You can run the game, anyway.";
const std::string kHeavy =
    "Well, I found some heavy conflicts here, running the game with them would make it to "
    "randomly crash, so it's not recommended.";

struct ConflictCase {
    const char* Label;
    std::vector<std::pair<std::string, std::vector<std::string>>> Archives;  // name, members
    std::string Expected;
};

void PrintTo(const ConflictCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class Conflicts : public ::testing::TestWithParam<ConflictCase> {};

TEST_P(Conflicts, ListsEveryClashThenTheVerdict) {
    TempFolder folder;
    std::vector<std::string> args = {"conflicts"};
    for (const auto& [name, members] : GetParam().Archives) {
        std::vector<ImageMember> images;
        for (const std::string& member : members) {
            images.push_back({.Name = member, .Content = Bytes("x")});
        }
        const auto path = folder / ("mods/" + name);
        WriteFile(path, BuildDatImage(images));
        args.push_back(path.string());
    }
    const auto run = RunTool(args);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, GetParam().Expected);
}

const std::vector<ConflictCase> kConflictCases = {
    ConflictCase{"OneArchive", {{"a.dat", {"a.txt", "a.txt"}}}, kNone + "\n"},
    ConflictCase{"ThreeArchivesOneSharedFrame",
                 {{"a.dat", {"art\\intrface\\iface.frm"}},
                  {"b.dat", {"art\\intrface\\iface.frm"}},
                  {"c.dat", {"art\\intrface\\iface.frm"}}},
                 "art\\intrface\\iface.frm on a.dat conflicts with b.dat (c.dat wins)\n"
                 "art\\intrface\\iface.frm on a.dat conflicts with c.dat (c.dat wins)\n"
                 "art\\intrface\\iface.frm on b.dat conflicts with c.dat (c.dat wins)\n" +
                     kMinor + "\n"},
    ConflictCase{"SharedMapIsHeavy",
                 {{"one.dat", {"maps\\arcaves.map", "art\\critters\\x.frm"}},
                  {"two.dat", {"art\\critters\\x.frm", "maps\\arcaves.map"}}},
                 "maps\\arcaves.map on one.dat conflicts with two.dat (two.dat wins)\n"
                 "art\\critters\\x.frm on one.dat conflicts with two.dat (two.dat wins)\n" +
                     kHeavy + "\n"},
#ifndef _WIN32  // archive names reach the tool as UTF-8 here
    ConflictCase{
        "ArchiveNamesAsTheFileSystemHasThem",
        {{"Überarbeitung.dat", {"art\\\xE9t\xE9.frm"}}, {"Невада.dat", {"art\\\xE9t\xE9.frm"}}},
        "art\\été.frm on Überarbeitung.dat conflicts with Невада.dat (Невада.dat wins)\n" + kMinor +
            "\n"},
#endif
    ConflictCase{"VaultSaveIsExempt",
                 {{"one.dat", {"data\\vault13.gam"}}, {"two.dat", {"DATA\\VAULT13.GAM"}}},
                 kNone + "\n"},
    ConflictCase{
        "NamesDifferingInCaseClash",
        {{"one.dat", {"Text\\English\\Game\\MISC.MSG"}},
         {"two.dat", {"text\\english\\game\\misc.msg"}}},
        "text\\english\\game\\misc.msg on one.dat conflicts with two.dat (two.dat wins)\n" +
            kHeavy + "\n"},
    // Names are compared whole: these two differ only after their first 40 characters.
    ConflictCase{
        "LongNamesWhole",
        {{"a.dat", {"text\\portuguese\\game\\g_healing_revision.msg"}},
         {"b.dat", {"text\\portuguese\\game\\g_healing_revision.bak"}},
         {"c.dat", {"text\\portuguese\\game\\g_healing_revision.msg"}}},
        "text\\portuguese\\game\\g_healing_revision.msg on a.dat conflicts with c.dat (c.dat wins)\n" +
            kHeavy + "\n"},
    // Each line names the mod whose copy the game reads: the last that holds the file.
    ConflictCase{"EachLineNamesTheWinner",
                 {{"a.dat", {"a.frm", "b.frm"}}, {"b.dat", {"a.frm"}}, {"c.dat", {"b.frm"}}},
                 "a.frm on a.dat conflicts with b.dat (b.dat wins)\n"
                 "b.frm on a.dat conflicts with c.dat (c.dat wins)\n" +
                     kMinor + "\n"},
    // The given order decides which archive is named first.
    ConflictCase{"GivenOrderNotNameOrder",
                 {{"z.dat", {"a.frm"}}, {"a.dat", {"a.frm"}}},
                 "a.frm on z.dat conflicts with a.dat (a.dat wins)\n" + kMinor + "\n"}};

INSTANTIATE_TEST_SUITE_P(Cases, Conflicts, ::testing::ValuesIn(kConflictCases),
                         [](const auto& testCase) { return std::string(testCase.param.Label); });

// A path as a JSON string: on Windows its backslashes are escaped.
std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return quoted + "\"";
}

// Each contested file once, with every archive that holds it and the last one as the winner.
TEST(Conflicts, JsonNamesEveryArchiveOfAFileAndTheLastWins) {
    TempFolder folder;
    const std::vector<std::pair<std::string, std::vector<std::string>>> archives = {
        {"z.dat", {"art\\x.frm", "text\\y.msg", "data\\vault13.gam"}},
        {"b.dat", {"Text\\Y.MSG", "solo.txt", "data\\vault13.gam"}},
        {"a.dat", {"art\\x.frm", "text\\y.msg", "text\\y.msg"}}};
    std::vector<std::string> args = {"conflicts"};
    for (const auto& [name, members] : archives) {
        std::vector<ImageMember> images;
        for (const std::string& member : members) {
            images.push_back({.Name = member, .Content = Bytes("x")});
        }
        WriteFile(folder / name, BuildDatImage(images));
        args.push_back((folder / name).string());
    }
    const std::string z = Quoted((folder / "z.dat").string());
    const std::string b = Quoted((folder / "b.dat").string());
    const std::string a = Quoted((folder / "a.dat").string());
    args.push_back("--json");
    const auto run = RunTool(args);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "{\"contested\": [\n"
              "  {\"file\": \"art\\\\x.frm\", \"archives\": [" +
                  z + ", " + a + "], \"winner\": " + a +
                  ", \"heavy\": false},\n"
                  "  {\"file\": \"text\\\\y.msg\", \"archives\": [" +
                  z + ", " + b + ", " + a + "], \"winner\": " + a +
                  ", \"heavy\": true}\n"
                  "], \"verdict\": \"heavy\"}\n");

    const auto none = RunTool({"conflicts", (folder / "b.dat").string(), "--json"});
    EXPECT_EQ(none.Out, "{\"contested\": [], \"verdict\": \"none\"}\n");
}

TEST(Conflicts, UnreadableArchiveExitsWithOne) {
    TempFolder folder;
    WriteFile(folder / "good.dat", BuildDatImage({{.Name = "a.txt", .Content = Bytes("x")}}));
    WriteFile(folder / "bad.dat", "bad");
    const auto run =
        RunTool({"conflicts", (folder / "good.dat").string(), (folder / "bad.dat").string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("bad.dat: the file is too short"), std::string::npos) << run.Err;
    EXPECT_EQ(RunTool({"conflicts"}).ExitCode, 2);
}

}  // namespace
}  // namespace vrel
