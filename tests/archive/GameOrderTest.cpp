#include "archive/GameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vrel {
namespace {

TEST(GameOrder, FoldsToLowerCaseBeforeComparingBytes) {
    std::vector<std::string> names = {"b.txt",  "Z.txt",    "A.txt",         "_x.txt",
                                      "ab.txt", "a\\z.txt", "\xC9t\xE9.txt", "e.txt"};
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return GameOrderLess(a, b); });
    // '_' (0x5F) comes before the folded letters; '\' (0x5C) before 'b'; bytes above 0x7F last.
    EXPECT_EQ(names, (std::vector<std::string>{"_x.txt", "A.txt", "a\\z.txt", "ab.txt", "b.txt",
                                               "e.txt", "Z.txt", "\xC9t\xE9.txt"}));
}

TEST(GameOrder, NamesDifferingOnlyInCaseShareAKey) {
    EXPECT_EQ(GameOrderKey("ART\\\xC9T\xC9.FRM"), "art\\\xE9t\xE9.frm");
    EXPECT_FALSE(GameOrderLess("ABC", "abc"));
    EXPECT_FALSE(GameOrderLess("abc", "ABC"));
    EXPECT_TRUE(GameOrderLess("ab", "ABC"));
}

}  // namespace
}  // namespace vrel
