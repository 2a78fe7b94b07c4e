#include "viewer/KeyCommands.h"

#include <gtest/gtest.h>

#include <array>

namespace vrel {
namespace {

constexpr ShiftState kNone{};
constexpr ShiftState kShift{.Shift = true};
constexpr ShiftState kCtrl{.Ctrl = true};
constexpr ShiftState kAlt{.Alt = true};
constexpr ShiftState kAltShift{.Shift = true, .Alt = true};
constexpr ShiftState kCtrlAlt{.Ctrl = true, .Alt = true};
constexpr ShiftState kAll{.Shift = true, .Ctrl = true, .Alt = true};
constexpr ShiftState kEveryState[] = {kNone, kShift, kCtrl, kAlt, kAltShift, kCtrlAlt, kAll};

struct SchemeCase {
    ViewerKey key;
    int textRed, textGreen, textBlue;
    int backRed, backGreen, backBlue;
};
void PrintTo(const SchemeCase& c, std::ostream* os) {
    *os << "F" << (static_cast<int>(c.key) + 1);
}

class ColourKeyTest : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(ColourKeyTest, SetsTheSchemeInEveryShiftState) {
    const SchemeCase& c = GetParam();
    for (const ShiftState state : kEveryState) {
        const KeyCommand command = CommandForKey(c.key, state);
        ASSERT_EQ(command.Kind, CommandKind::SetColours);
        const Colour text = command.Colours.Text;
        const Colour back = command.Colours.Back;
        EXPECT_EQ((std::array{Red(text), Green(text), Blue(text)}),
                  (std::array{c.textRed, c.textGreen, c.textBlue}));
        EXPECT_EQ((std::array{Red(back), Green(back), Blue(back)}),
                  (std::array{c.backRed, c.backGreen, c.backBlue}));
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, ColourKeyTest,
                         ::testing::Values(SchemeCase{ViewerKey::F1, 255, 255, 255, 0, 0, 0},
                                           SchemeCase{ViewerKey::F2, 255, 224, 192, 128, 0, 0},
                                           SchemeCase{ViewerKey::F3, 255, 255, 255, 0, 0, 128},
                                           SchemeCase{ViewerKey::F4, 192, 255, 192, 0, 64, 0},
                                           SchemeCase{ViewerKey::F5, 0, 0, 0, 192, 192, 255},
                                           SchemeCase{ViewerKey::F6, 128, 128, 0, 255, 224, 192},
                                           SchemeCase{ViewerKey::F7, 0, 0, 128, 192, 255, 192},
                                           SchemeCase{ViewerKey::F8, 128, 0, 128, 255, 192, 255}));

TEST(KeyCommandsTest, StartSchemeIsTheF4One) {
    const KeyCommand f4 = CommandForKey(ViewerKey::F4, kNone);
    EXPECT_EQ(f4.Colours.Text, kStartScheme.Text);
    EXPECT_EQ(f4.Colours.Back, kStartScheme.Back);
}

TEST(KeyCommandsTest, FontKeysIgnoreTheShiftState) {
    for (const ShiftState state : kEveryState) {
        EXPECT_EQ(CommandForKey(ViewerKey::F11, state).FontFace, "Terminal");
        EXPECT_EQ(CommandForKey(ViewerKey::F12, state).FontFace, "Fixedsys");
        EXPECT_EQ(CommandForKey(ViewerKey::F12, state).Kind, CommandKind::SetFont);
        EXPECT_EQ(CommandForKey(ViewerKey::Escape, state).Kind, CommandKind::Close);
        EXPECT_EQ(CommandForKey(ViewerKey::Other, state).Kind, CommandKind::Nothing);
    }
}

TEST(KeyCommandsTest, LoadKeyCountsOnlyWithAltAlone) {
    EXPECT_EQ(CommandForKey(ViewerKey::L, kAlt).Kind, CommandKind::LoadDialog);
    for (const ShiftState state : {kNone, kShift, kCtrl, kAltShift, kCtrlAlt, kAll}) {
        EXPECT_EQ(CommandForKey(ViewerKey::L, state).Kind, CommandKind::Nothing);
    }
}

}  // namespace
}  // namespace vrel
