#include "archive/ModSets.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

// The sets as "in use|remember|ticked,...|[name]+a-b[name]...", to compare what was read.
std::string Shown(const ModSets& sets) {
    std::string shown = sets.InUse + "|" + (sets.RememberTicks ? "1" : "0") + "|";
    for (const std::string& name : sets.LastTicked) {
        shown += name + ",";
    }
    shown += "|";
    for (const ModSet& set : sets.Sets) {
        shown += "[" + set.Name + "]";
        for (const ModSetMod& mod : set.Mods) {
            shown += (mod.Ticked ? "+" : "-") + mod.Name;
        }
    }
    return shown;
}

// A file edited by hand or cut short is read as far as it is sound, and what was read is written
// back the same.
TEST(ModSets, AFileIsReadAsFarAsItIsSound) {
    struct Case {
        const char* what;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"as written",
         "In use=Two\nRemember ticks=1\nTicked=a.dat\n\n[One]\n+a.dat\n-b.dat\n[Two]\n",
         "Two|1|a.dat,|[One]+a.dat-b.dat[Two]"},
        {"Windows line ends, blanks, keys in any case, comments",
         "; mine\r\n  IN USE = One \r\nremember TICKS=0\r\n[ One ]\r\n  + a b.dat \r\n",
         "One|0||[One]+a b.dat"},
        {"lines that mean nothing are passed over",
         "nonsense\n+x.dat\n[One]\nc.dat\n+\n-e.dat\n[]\n+d.dat\n[One\n", "|0||[One]-e.dat"},
        {"a second section of one name is passed over with its lines",
         "[One]\n+a.dat\n[One]\n+b.dat\n[Two]\n-c.dat", "|0||[One]+a.dat[Two]-c.dat"},
        {"the set in use must be there", "In use=Gone\n[One]\n", "|0||[One]"},
        {"cut short in a line", "Remember ticks=1\n[One]\n+a.dat\n+b.d", "|1||[One]+a.dat+b.d"},
        {"empty", "", "|0||"},
    };
    for (const Case& c : cases) {
        const ModSets sets = ParseModSets(c.text);
        EXPECT_EQ(Shown(sets), c.shown) << c.what;
        EXPECT_EQ(Shown(ParseModSets(FormatModSets(sets))), c.shown) << c.what;
    }
}

}  // namespace
}  // namespace vrel
