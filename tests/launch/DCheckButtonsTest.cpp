#include "launch/DCheckButtons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vrel {
namespace {

enum class Over { Go, Cancel, Background };

struct Step {
    Over over;
    bool soundDue;
    std::uint32_t go;
    std::uint32_t cancel;
};

struct HoverCase {
    std::string name;
    bool soundOn;
    std::vector<Step> steps;
};

TEST(DCheckButtonsTest, MouseMovesLightOneButtonAndSoundOncePerEntry) {
    constexpr std::uint32_t dim = kButtonGrey;
    constexpr std::uint32_t lit = kButtonHoverGrey;
    const std::vector<HoverCase> cases{
        {"SoundOn",
         true,
         {{Over::Go, true, lit, dim},
          {Over::Go, false, lit, dim},
          {Over::Cancel, true, dim, lit},
          {Over::Cancel, false, dim, lit},
          {Over::Go, true, lit, dim},
          {Over::Background, false, dim, dim},
          {Over::Background, false, dim, dim},
          {Over::Go, true, lit, dim}}},
        {"SoundOff",
         false,
         {{Over::Go, false, lit, dim},
          {Over::Cancel, false, dim, lit},
          {Over::Background, false, dim, dim}}},
    };
    for (const HoverCase& c : cases) {
        DCheckButtonColours colours;
        EXPECT_EQ(colours.BackColor(DCheckButton::Go), dim) << c.name;
        EXPECT_EQ(colours.BackColor(DCheckButton::Cancel), dim) << c.name;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            bool soundDue = false;
            if (step.over == Over::Background) {
                colours.MouseOverBackground();
            } else {
                soundDue = colours.MouseOver(
                    step.over == Over::Go ? DCheckButton::Go : DCheckButton::Cancel, c.soundOn);
            }
            EXPECT_EQ(soundDue, step.soundDue) << c.name << " step " << i;
            EXPECT_EQ(colours.BackColor(DCheckButton::Go), step.go) << c.name << " step " << i;
            EXPECT_EQ(colours.BackColor(DCheckButton::Cancel), step.cancel)
                << c.name << " step " << i;
        }
    }
}

}  // namespace
}  // namespace vrel
