#include "state/ModList.h"

#include <gtest/gtest.h>

#include <functional>

namespace vrel {
namespace {

ModList MakeList(const std::vector<std::string>& names) {
    ModList mods;
    for (const std::string& name : names) {
        const int row = mods.Count() + 1;
        mods.Append({name}, row, 0, std::filesystem::path("/p") / name, row == 1, "", nullptr);
    }
    return mods;
}

// The rows as "name*" when ticked; row k must stand for catalogue item k.
std::string Rows(const ModList& mods) {
    std::string shown;
    for (int row = 1; row <= mods.Count(); ++row) {
        EXPECT_EQ(mods.Item(row).FullPath.filename(), mods.Row(row).Name) << row;
        shown += (row > 1 ? " " : "") + mods.Row(row).Name.string() + (mods.Ticked(row) ? "*" : "");
    }
    return shown;
}

void Drop(ModList& mods, int from, int before) {
    if (const auto to = mods.DropTarget(from, before)) {
        mods.Move(from, *to);
    }
}

void Step(ModList& mods, int from, int step) {
    if (const auto to = mods.StepTarget(from, step)) {
        mods.Move(from, *to);
    }
}

// Ticks, drags and Alt+Up/Down over the patch and three mods: a mod moves with its tick and its
// catalogue item, the patch stays first, and a mod dropped into the list keeps the others' ticks.
TEST(ModList, TicksMovesAndDropsKeepRowsAndItemsInStep) {
    struct Case {
        const char* what;
        std::function<void(ModList&)> act;
        std::string rows;
    };
    const std::vector<Case> cases = {
        {"tick", [](ModList& m) { m.SetTicked(3, true); }, "p.dat* a.dat b.dat* c.dat"},
        {"untick the patch", [](ModList& m) { m.SetTicked(1, false); }, "p.dat a.dat b.dat c.dat"},
        {"tick outside the list",
         [](ModList& m) {
             m.SetTicked(0, true);
             m.SetTicked(5, true);
         },
         "p.dat* a.dat b.dat c.dat"},
        {"drop onto an upper half",
         [](ModList& m) {
             m.SetTicked(4, true);
             Drop(m, 4, 2);
         },
         "p.dat* c.dat* a.dat b.dat"},
        {"drop below the last", [](ModList& m) { Drop(m, 2, 5); }, "p.dat* b.dat c.dat a.dat"},
        {"drop above the patch", [](ModList& m) { Drop(m, 4, 1); }, "p.dat* c.dat a.dat b.dat"},
        {"drop the patch", [](ModList& m) { Drop(m, 1, 4); }, "p.dat* a.dat b.dat c.dat"},
        {"drop on its own place",
         [](ModList& m) {
             Drop(m, 3, 3);
             Drop(m, 3, 4);
         },
         "p.dat* a.dat b.dat c.dat"},
        {"step down and up",
         [](ModList& m) {
             Step(m, 2, 1);
             Step(m, 4, -1);
         },
         "p.dat* b.dat c.dat a.dat"},
        {"no step past the ends",
         [](ModList& m) {
             Step(m, 2, -1);
             Step(m, 4, 1);
             Step(m, 1, 1);
         },
         "p.dat* a.dat b.dat c.dat"},
        {"read anew with a new mod",
         [](ModList& m) {
             m.SetTicked(3, true);
             m.TakeKeepingTicks(MakeList({"p.dat", "a.dat", "aa.dat", "b.dat", "c.dat"}));
         },
         "p.dat* a.dat aa.dat b.dat* c.dat"},
    };
    for (const Case& c : cases) {
        ModList mods = MakeList({"p.dat", "a.dat", "b.dat", "c.dat"});
        c.act(mods);
        EXPECT_EQ(Rows(mods), c.rows) << c.what;
    }
}

// A mod set put onto the list: its mods first in its order with its ticks, the others after them
// unticked, the names it has that no row has given back. Names match exactly before they match in
// any letter case, so of two archives that differ only in case each takes its own place.
TEST(ModList, ASetGivesItsOrderAndTicks) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        std::vector<ModSetMod> set;
        std::string shown;
        std::vector<std::string> missing;
    };
    const std::vector<Case> cases = {
        {"order, ticks, a missing and a new mod",
         {"p.dat", "a.dat", "b.dat", "c.dat"},
         {{"c.dat", true}, {"gone.dat", true}, {"a.dat", false}},
         "p.dat* c.dat* a.dat b.dat",
         {"gone.dat"}},
        {"the patch named unticked",
         {"p.dat", "a.dat", "b.dat"},
         {{"p.dat", false}, {"b.dat", true}},
         "p.dat b.dat* a.dat",
         {}},
        {"names in other letter case",
         {"p.dat", "a.dat", "b.dat"},
         {{"B.DAT", true}},
         "p.dat* b.dat* a.dat",
         {}},
        {"two archives differing only in case",
         {"p.dat", "MOD.dat", "mod.dat"},
         {{"mod.dat", true}, {"MOD.dat", false}},
         "p.dat* mod.dat* MOD.dat",
         {}},
    };
    for (const Case& c : cases) {
        ModList mods = MakeList(c.rows);
        mods.SetTicked(2, true);  // a mod the set does not tick comes unticked
        EXPECT_EQ(mods.Apply(c.set), c.missing) << c.what;
        EXPECT_EQ(Rows(mods), c.shown) << c.what;
    }
}

TEST(ModList, AMoveMakesTheOrderTheRowsOrder) {
    ModList mods = MakeList({"p.dat", "a.dat", "b.dat"});
    mods.SetOrder({"gone.dat", "a.dat"});
    mods.Move(3, 2);
    EXPECT_EQ(mods.Order(), (std::vector<std::string>{"b.dat", "a.dat"}));
}

}  // namespace
}  // namespace vrel
