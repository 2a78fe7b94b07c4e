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
        EXPECT_FALSE(SafeTargetParts(name)) << name;
    }
    EXPECT_EQ(SafeTargetParts("art\\\\.\\x.frm"),
              (std::vector<std::string>{"data", "art", "x.frm"}));
    EXPECT_EQ(SafeTargetParts("database.txt"), std::vector<std::string>{"database.txt"});
}

}  // namespace
}  // namespace vrel
