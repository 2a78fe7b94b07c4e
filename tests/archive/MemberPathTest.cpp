#include "archive/MemberPath.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

struct NameCase {
    std::string Name;
    std::optional<UnsafeName> Expected;
};

// Names the case by its member name, so that each test keeps its name from one build to the next.
void PrintTo(const NameCase& nameCase, std::ostream* out) {
    *out << ::testing::PrintToString(nameCase.Name);
}

class CheckMemberNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(CheckMemberNameTable, SortsSafeFromUnsafe) {
    const auto checked = CheckMemberName(GetParam().Name);
    EXPECT_EQ(checked ? std::nullopt : std::optional(checked.error()), GetParam().Expected)
        << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, CheckMemberNameTable,
    ::testing::Values(
        NameCase{"art\\critters\\x.frm", std::nullopt}, NameCase{"a..b\\c...txt", std::nullopt},
        NameCase{"", UnsafeName::Empty}, NameCase{"\\x.txt", UnsafeName::Absolute},
        NameCase{"/x.txt", UnsafeName::Absolute}, NameCase{"c:\\x.txt", UnsafeName::Drive},
        NameCase{"c:x.txt", UnsafeName::Drive}, NameCase{"a\\x.txt:stream", UnsafeName::Drive},
        NameCase{"..\\x.txt", UnsafeName::ParentFolder},
        NameCase{"a\\..\\..\\x.txt", UnsafeName::ParentFolder},
        NameCase{"a/../x.txt", UnsafeName::ParentFolder},
        NameCase{"a\\\\x.txt", UnsafeName::BadPart}, NameCase{".\\x.txt", UnsafeName::BadPart},
        NameCase{"a\\", UnsafeName::BadPart}, NameCase{std::string("a\0b", 3), UnsafeName::BadPart},
        NameCase{"a\tb.frm", UnsafeName::Control}, NameCase{"text\na.msg", UnsafeName::Control},
        NameCase{"a\x7F.txt", UnsafeName::Control}));

TEST(MemberPathParts, SplitsAtEitherSeparator) {
    EXPECT_EQ(MemberPathParts("art\\critters/x.frm"),
              (std::vector<std::string_view>{"art", "critters", "x.frm"}));
    EXPECT_EQ(MemberPathParts("x.frm"), (std::vector<std::string_view>{"x.frm"}));
}

}  // namespace
}  // namespace vrel
