#include "base/DebugSwitch.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

TEST(DebugSwitch, WantedWhereverDashDStands) {
    struct Case {
        const char* CommandLine;
        bool shown;
    };
    const Case cases[] = {
        {"-d", true}, {"-debug", true}, {"x-d", true}, {"a -d b", true},
        {"", false},  {"-D", false},    {"d-", false}, {"- d", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasDebugSwitch(c.CommandLine), c.shown) << c.CommandLine;
    }
}

}  // namespace
}  // namespace vrel
