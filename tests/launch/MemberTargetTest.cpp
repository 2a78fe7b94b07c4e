#include "launch/MemberTarget.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

TEST(MemberTarget, DataPrefixDecidesTheFolder) {
    EXPECT_EQ(MemberTargetText("ART\\CRITTERS\\HMJMPSAA.FRM"), "data\\ART\\CRITTERS\\HMJMPSAA.FRM");
    EXPECT_EQ(MemberTargetText("data\\vault13.gam"), "data\\vault13.gam");
    EXPECT_EQ(MemberTargetText("Data\\Maps\\x.map"), "Data\\Maps\\x.map");
    EXPECT_EQ(MemberTargetText("database.txt"),
              "database.txt");  // four letters are all that is looked at
    EXPECT_EQ(MemberTargetText("dat"), "data\\dat");
}

TEST(MemberTarget, UnsafeNamesAreRefused) {
    const char* unsafe[] = {
        "",          "\\windows\\x.dll", "/etc/passwd", "C:\\x.txt",
        "..\\x.txt", "art\\..\\..\\x",   "art/../../x", "data\\..\\Fallout2.exe",
        "art\\"};
    for (const char* name : unsafe) {
        EXPECT_FALSE(SafeTargetParts(name).has_value()) << name;
    }
    // Empty and "." levels are refused, as vrel-dat refuses them.
    EXPECT_FALSE(SafeTargetParts("art\\\\.\\x.frm").has_value());
    EXPECT_EQ(*SafeTargetParts("ART/critters\\X.FRM"),
              (std::vector<std::string>{"data", "ART", "critters", "X.FRM"}));
    EXPECT_EQ(*SafeTargetParts("database.txt"), std::vector<std::string>{"database.txt"});
}

}  // namespace
}  // namespace vrel
