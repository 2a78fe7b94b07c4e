#include "app/ModSetActions.h"

#include <gtest/gtest.h>

#include <functional>

#include "TempFolder.h"
#include "app/ModOrder.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

using testing::WriteFile;

// The list as start-up reads it from Patches holding the patch and a, b and c: in the kept order,
// the patch alone ticked, then the set in use or the kept ticks.
void Start(ProgramState& state) {
    state.Mods = ModList();
    std::vector<std::filesystem::path> names = {"a.dat", "b.dat", "c.dat"};
    names = ApplyModOrder(names, ReadModOrder(state.ProgramFolder));
    names.insert(names.begin(), "patch000.dat");
    for (const auto& name : names) {
        state.Mods.Append({name}, state.Mods.Count() + 1, 0, state.ProgramFolder / name,
                          name == "patch000.dat", "", nullptr);
    }
    state.Sets = ReadModSets(state.ProgramFolder);
    ApplyStartTicks(state);
}

std::string Rows(const ProgramState& state) {
    std::string shown = state.Sets.InUse + ":";
    for (const ModSetMod& mod : state.Mods.Ticks()) {
        shown += " " + mod.Name + (mod.Ticked ? "*" : "");
    }
    return shown;
}

void Tick(ProgramState& state, int row, bool ticked = true) {
    state.Mods.SetTicked(row, ticked);
    ASSERT_TRUE(KeepTicks(state));
}

// Saving, switching, renaming and deleting sets, and the kept ticks: the list after the player's
// steps, and again after a restart, which reads only what was kept on disk.
TEST(ModSetActions, SetsAndTicksComeBackAtTheNextStart) {
    struct Case {
        const char* what;
        const char* file;  // the sets file before the start
        std::function<void(ProgramState&)> act;
        std::string rows;
        std::string restarted;
    };
    const std::vector<Case> cases = {
        {"no set: only the patch comes back ticked", "", [](ProgramState& s) { Tick(s, 3); },
         ": patch000.dat* a.dat b.dat* c.dat", ": patch000.dat* a.dat b.dat c.dat"},
        {"a saved set follows the ticks and moves", "",
         [](ProgramState& s) {
             Tick(s, 3);
             ASSERT_TRUE(SaveModSet(s, "One"));
             Tick(s, 1, false);
             ASSERT_TRUE(MoveMod(s, 4, 2));
             ASSERT_TRUE(KeepTicks(s));
         },
         "One: patch000.dat c.dat a.dat b.dat*", "One: patch000.dat c.dat a.dat b.dat*"},
        {"switch: a missing mod is told and kept, a mod it does not name comes unticked",
         "[Two]\n+c.dat\n+gone.dat\n-a.dat\n",
         [](ProgramState& s) {
             Tick(s, 3);
             const SwitchOutcome outcome = SwitchModSet(s, "Two");
             EXPECT_EQ(outcome.Missing, std::vector<std::string>{"gone.dat"});
             Tick(s, 4);
             EXPECT_EQ(s.Sets.Find("Two")->Mods.back().Name, "gone.dat");
         },
         "Two: patch000.dat* c.dat* a.dat b.dat*", "Two: patch000.dat* c.dat* a.dat b.dat*"},
        {"rename the set in use", "In use=One\n[One]\n+b.dat\n",
         [](ProgramState& s) { ASSERT_TRUE(RenameModSet(s, "One", "Uno")); },
         "Uno: patch000.dat* b.dat* a.dat c.dat", "Uno: patch000.dat* b.dat* a.dat c.dat"},
        {"delete the set in use: no set, the list stays", "In use=One\n[One]\n+b.dat\n",
         [](ProgramState& s) { ASSERT_TRUE(DeleteModSet(s, "One")); },
         ": patch000.dat* b.dat* a.dat c.dat", ": patch000.dat* b.dat a.dat c.dat"},
        {"the last ticks kept without a set", "",
         [](ProgramState& s) {
             ASSERT_TRUE(SetRememberTicks(s, true));
             Tick(s, 1, false);
             Tick(s, 4);
         },
         ": patch000.dat a.dat b.dat c.dat*", ": patch000.dat a.dat b.dat c.dat*"},
        {"a missing mod of the set in use that comes back takes its place and tick",
         "In use=One\n[One]\n+d.dat\n+b.dat\n",
         [](ProgramState& s) {
             ModList fresh;
             for (const ModSetMod& mod : s.Mods.Ticks()) {
                 fresh.Append({mod.Name}, 0, 0, s.ProgramFolder / mod.Name, false, "", nullptr);
             }
             fresh.Append({"d.dat"}, 0, 0, s.ProgramFolder / "d.dat", false, "", nullptr);
             s.Mods.TakeKeepingTicks(std::move(fresh));
             FollowSetInUse(s);
         },
         "One: patch000.dat* d.dat* b.dat* a.dat c.dat", "One: patch000.dat* b.dat* a.dat c.dat"},
        {"a damaged file gives what is sound in it", "In use=One\n[One]\n+c.dat\n+a.d",
         [](ProgramState&) {}, "One: patch000.dat* c.dat* a.dat b.dat",
         "One: patch000.dat* c.dat* a.dat b.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempFolder folder;
        WriteFile(folder / kModSetsFile, c.file);
        ProgramState state;
        state.ProgramFolder = folder.path();
        Start(state);
        c.act(state);
        EXPECT_EQ(Rows(state), c.rows);
        ProgramState restarted;
        restarted.ProgramFolder = folder.path();
        Start(restarted);
        EXPECT_EQ(Rows(restarted), c.restarted);
    }
}

}  // namespace
}  // namespace vrel
