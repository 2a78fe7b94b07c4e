#include "launch/MemberTarget.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

std::vector<std::string> Parts(std::string_view member) {
    const auto parts = SafeTargetParts(member);
    return std::vector<std::string>(parts->begin(), parts->end());
}

TEST(MemberTarget, DataPrefixDecidesTheFolder) {
    struct Case {
        const char* member;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"ART\\CRITTERS\\HMJMPSAA.FRM", {"data", "ART", "CRITTERS", "HMJMPSAA.FRM"}},
        {"data\\vault13.gam", {"data", "vault13.gam"}},
        {"Data\\Maps\\x.map", {"Data", "Maps", "x.map"}},
        {"database.txt", {"database.txt"}},  // four letters are all that is looked at
        {"dat", {"data", "dat"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parts(c.member), c.parts) << c.member;
    }
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
    EXPECT_EQ(Parts("ART/critters\\X.FRM"),
              (std::vector<std::string>{"data", "ART", "critters", "X.FRM"}));
}

}  // namespace
}  // namespace vrel
