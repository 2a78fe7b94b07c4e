#include "archive/ConflictCheck.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "CatalogueBuilder.h"
#include "NestedConflictCheck.h"

namespace vrel {
namespace {

using testing::DatSpec;
using testing::FillCatalogue;
using testing::NestedConflictCheck;
using testing::SelectedFlags;

struct CheckCase {
    std::string name;
    std::vector<DatSpec> dats;
    std::vector<std::string> lines;
    ConflictVerdict verdict;
};

class ConflictCheckCases : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ConflictCheckCases, ListsClashesInComparisonOrderAndKeepsTheTicks) {
    const CheckCase& c = GetParam();
    FalloutDat_Collection catalogue;
    FillCatalogue(catalogue, c.dats);
    const std::vector<bool> before = SelectedFlags(catalogue);

    const ConflictReport report = ConflictCheck(catalogue);

    EXPECT_EQ(report.Lines, c.lines);
    EXPECT_EQ(report.Verdict, c.verdict);
    EXPECT_EQ(SelectedFlags(catalogue), before);
}

const std::string iface = "art\\intrface\\iface.frm";
const std::string arcaves = "maps\\arcaves.map";
const std::string critter = "art\\critters\\x.frm";

INSTANTIATE_TEST_SUITE_P(
    Catalogues, ConflictCheckCases,
    ::testing::Values(
        CheckCase{"NothingPicked",
                  {{"/p/a.dat", false, {iface}}, {"/p/b.dat", false, {iface}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{"OnePicked",
                  {{"/p/a.dat", true, {iface, iface}}, {"/p/b.dat", false, {iface}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{"EmptyCatalogue", {}, {}, ConflictVerdict::None},
        CheckCase{
            "ThreeArchivesShareOneName",
            {{"/p/a.dat", true, {iface}}, {"/p/b.dat", true, {iface}}, {"/p/c.dat", true, {iface}}},
            {iface + " on a.dat conflicts with b.dat", iface + " on a.dat conflicts with c.dat",
             iface + " on b.dat conflicts with c.dat"},
            ConflictVerdict::Minor},
        CheckCase{"MapIsHeavy",
                  {{"/p/a.dat", true, {arcaves}}, {"/p/b.dat", true, {arcaves}}},
                  {arcaves + " on a.dat conflicts with b.dat"},
                  ConflictVerdict::Heavy},
        CheckCase{"MinorBesideHeavyKeepsHeavyAndEarlierArchiveOrder",
                  {{"/p/a.dat", true, {critter, arcaves}}, {"/p/b.dat", true, {arcaves, critter}}},
                  {critter + " on a.dat conflicts with b.dat",
                   arcaves + " on a.dat conflicts with b.dat"},
                  ConflictVerdict::Heavy},
        CheckCase{"VaultSaveIsExempt",
                  {{"/p/a.dat", true, {"data\\vault13.gam", "readme.1st"}},
                   {"/p/b.dat", true, {"data\\vault13.gam"}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{"DescriptionIsExempt",
                  {{"/p/a.dat", true, {"amoddesc.qrd"}}, {"/p/b.dat", true, {"amoddesc.qrd"}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{
            "VaultSaveIsExemptInAnyCase",
            {{"/p/a.dat", true, {"DATA\\Vault13.GAM"}}, {"/p/b.dat", true, {"DATA\\Vault13.GAM"}}},
            {},
            ConflictVerdict::None},
        CheckCase{"UnpickedArchiveNeverCompared",
                  {{"/p/a.dat", true, {iface}},
                   {"/p/b.dat", false, {iface, arcaves}},
                   {"/p/c.dat", true, {iface}},
                   {"/p/d.dat", false, {arcaves}}},
                  {iface + " on a.dat conflicts with c.dat"},
                  ConflictVerdict::Minor},
        CheckCase{"DuplicatesGiveOneLinePerPairOfEntries",
                  {{"/p/a.dat", true, {"x.pro", "x.pro"}},
                   {"/p/b.dat", true, {"y.pro", "x.pro", "x.pro", "x.pro"}}},
                  std::vector<std::string>(6, "x.pro on a.dat conflicts with b.dat"),
                  ConflictVerdict::Minor},
        CheckCase{"DuplicatesInsideOneArchiveAloneAreNoClash",
                  {{"/p/a.dat", true, {"x.msg", "x.msg"}}, {"/p/b.dat", true, {"y.msg"}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{"PairsThenEarlierPositionThenLaterPosition",
                  {{"/p/a.dat", true, {"p.frm", "q.frm"}},
                   {"/p/b.dat", true, {"q.frm", "p.frm"}},
                   {"/p/c.dat", true, {"p.frm"}}},
                  {"p.frm on a.dat conflicts with b.dat", "q.frm on a.dat conflicts with b.dat",
                   "p.frm on a.dat conflicts with c.dat", "p.frm on b.dat conflicts with c.dat"},
                  ConflictVerdict::Minor},
        CheckCase{"NamesAreComparedExactly",
                  {{"/p/a.dat", true, {"maps\\x.map"}}, {"/p/b.dat", true, {"MAPS\\X.MAP"}}},
                  {},
                  ConflictVerdict::None},
        CheckCase{
            "ExtensionIsTestedInLowerCase",
            {{"/p/a.dat", true, {"TEXT\\README.TXT"}}, {"/p/b.dat", true, {"TEXT\\README.TXT"}}},
            {"TEXT\\README.TXT on a.dat conflicts with b.dat"},
            ConflictVerdict::Heavy},
        CheckCase{"ArchiveNamesFromEitherSeparator",
                  {{"C:\\Games\\Vrel\\Patches\\mod one.dat", true, {"sound\\sfx\\a.acm"}},
                   {"/home/u/Vrel/Patches/ModTwo.DAT", true, {"sound\\sfx\\a.acm"}}},
                  {"sound\\sfx\\a.acm on mod one.dat conflicts with ModTwo.DAT"},
                  ConflictVerdict::Minor}),
    [](const ::testing::TestParamInfo<CheckCase>& caseInfo) { return caseInfo.param.name; });

// The verdict when two picked archives both hold `member`.
ConflictVerdict VerdictOfAClashOn(const std::string& member) {
    FalloutDat_Collection catalogue;
    FillCatalogue(catalogue, {{"/p/a.dat", true, {member}}, {"/p/b.dat", true, {member}}});
    return ConflictCheck(catalogue).Verdict;
}

struct ExtensionCase {
    std::string member;
    bool heavy;
};

TEST(ConflictCheckTest, HeavyByTheLastThreeCharacters) {
    const std::vector<ExtensionCase> cases{{"data\\worldmap.txt", true},
                                           {"data\\critter.lst", true},
                                           {"fallout2.cfg", true},
                                           {"art\\color.pal", true},
                                           {"data\\party.gam", true},
                                           {"maps\\hall.msk", true},
                                           {"maps\\hall.map", true},
                                           {"scripts\\x.int", true},
                                           {"text\\e\\a.msg", true},
                                           {"art\\a.frm", false},
                                           {"proto\\b.pro", false},
                                           {"sound\\c.acm", false},
                                           {"text\\a.msgx", false},
                                           {"lst", true},
                                           {"st", false},
                                           {"", false},
                                           {"a\\B.MSG", true}};
    for (const ExtensionCase& c : cases) {
        EXPECT_EQ(VerdictOfAClashOn(c.member),
                  c.heavy ? ConflictVerdict::Heavy : ConflictVerdict::Minor)
            << c.member;
    }
}

TEST(ConflictCheckTest, OnlyTheVaultSaveIsExempt) {
    EXPECT_EQ(VerdictOfAClashOn("data\\vault13.gam"), ConflictVerdict::None);
    EXPECT_EQ(VerdictOfAClashOn("Data\\VAULT13.gam"), ConflictVerdict::None);
    EXPECT_NE(VerdictOfAClashOn("maps\\vault13.gam"), ConflictVerdict::None);
    EXPECT_NE(VerdictOfAClashOn("data\\vault13.gam "), ConflictVerdict::None);
    EXPECT_NE(VerdictOfAClashOn("data/vault13.gam"), ConflictVerdict::None);
}

// Play unpacks in list order: the last picked archive's copy stays, whichever pair a line names.
TEST(ConflictCheckTest, EachLineNamesTheLastPickedHolderAsTheWinner) {
    FalloutDat_Collection catalogue;
    FillCatalogue(catalogue, {{"/p/a.dat", true, {iface, critter}},
                              {"/p/b.dat", true, {iface, critter}},
                              {"/p/c.dat", false, {iface, critter}},
                              {"/p/d.dat", true, {iface}}});
    EXPECT_EQ(ConflictCheck(catalogue).Winners,
              (std::vector<std::string>{"d.dat", "b.dat", "d.dat", "d.dat"}));
}

TEST(ConflictCheckTest, VerdictTexts) {
    EXPECT_EQ(VerdictText(ConflictVerdict::None),
              "Good, there were no conflicts, hit Continue to run the game.");
    EXPECT_EQ(VerdictText(ConflictVerdict::Minor),
              "I found some minor conflicts, although the game will run perfectly with them, some "
              "mods may not appear in the game or they could behave incorrectly. You can run the "
              "game, anyway.");
    EXPECT_EQ(VerdictText(ConflictVerdict::Heavy),
              "Well, I found some heavy conflicts here, running the game with them would make it "
              "to randomly crash, so it's not recommended.");
}

// A catalogue of a few archives drawing names from a small pool, so that clashes, duplicates,
// the exempt save and names differing only in case all come up often.
std::vector<DatSpec> RandomCatalogue(std::mt19937& random) {
    static const std::vector<std::string> pool{"art\\a.frm",
                                               "art\\A.FRM",
                                               "proto\\b.pro",
                                               "maps\\c.map",
                                               "text\\d.msg",
                                               "e.lst",
                                               "data\\vault13.gam",
                                               "DATA\\VAULT13.GAM",
                                               "f.acm",
                                               "g.int",
                                               "h.txt",
                                               "i.pal",
                                               "j.cfg",
                                               "k.msk",
                                               "l.gam",
                                               "m.frm",
                                               "n.pro",
                                               "",
                                               "o",
                                               "p.frm"};
    std::uniform_int_distribution<int> archiveCount(0, 7);
    std::uniform_int_distribution<int> memberCount(0, 12);
    std::uniform_int_distribution<int> poolSize(1, static_cast<int>(pool.size()));
    std::bernoulli_distribution picked(0.7);
    const int used = poolSize(random);
    std::uniform_int_distribution<int> member(0, used - 1);
    std::vector<DatSpec> dats(static_cast<std::size_t>(archiveCount(random)));
    for (std::size_t k = 0; k < dats.size(); ++k) {
        dats[k].FullPath = "/p/mod" + std::to_string(k) + ".dat";
        dats[k].Selected = picked(random);
        const int count = memberCount(random);
        for (int i = 0; i < count; ++i) {
            dats[k].Members.push_back(pool[static_cast<std::size_t>(member(random))]);
        }
    }
    return dats;
}

TEST(ConflictCheckTest, SameLinesAndVerdictAsTheNestedComparisonOnRandomCatalogues) {
    std::mt19937 random(20240601);
    int withClashes = 0;
    for (int round = 0; round < 2000; ++round) {
        FalloutDat_Collection catalogue;
        FillCatalogue(catalogue, RandomCatalogue(random));
        const std::vector<bool> before = SelectedFlags(catalogue);

        const ConflictReport fast = ConflictCheck(catalogue);
        ASSERT_EQ(SelectedFlags(catalogue), before) << "round " << round;
        const ConflictReport reference = NestedConflictCheck(catalogue);
        ASSERT_EQ(SelectedFlags(catalogue), before) << "round " << round;

        ASSERT_EQ(fast.Lines, reference.Lines) << "round " << round;
        ASSERT_EQ(fast.Verdict, reference.Verdict) << "round " << round;
        withClashes += fast.Lines.empty() ? 0 : 1;
    }
    // The rounds must exercise clashes, not only empty results.
    EXPECT_GT(withClashes, 500);
}

}  // namespace
}  // namespace vrel
