#include "app/MainWindowRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "Fakes.h"
#include "TempFolder.h"
#include "config/ButtonSounds.h"

namespace vrel {
namespace {

class MainWindowRulesTest : public ::testing::Test {
protected:
    MainWindowRulesTest() {
        state_.ProgramFolder = "/program";
        state_.Config.cfgGeneral.Sound = true;
        FillMods("patch000.dat");
    }
    // Row 1, named `patch`, is ticked; rows 2 and 3 are not.
    void FillMods(const std::string& patch) {
        state_.Mods = ModList();
        for (const std::string& name : {patch, std::string("b.dat"), std::string("c.dat")}) {
            const int row = state_.Mods.Count() + 1;
            state_.Mods.Append({name}, row, 0, "", row == 1, "", nullptr);
        }
    }

    ProgramState state_;
    testing::FakeMessageBox messages_;
    testing::FakeSounds sounds_;
};

TEST_F(MainWindowRulesTest, HoverSoundOnEnteringAndOnPassingToAnotherButton) {
    HoverImages images;
    EXPECT_FALSE(images.Shown().has_value());
    HoverSwitch(images, MainButton::Play, state_, sounds_);
    HoverSwitch(images, MainButton::Play, state_, sounds_);
    EXPECT_EQ(sounds_.played.size(), 1u);
    HoverSwitch(images, MainButton::Exit, state_, sounds_);
    EXPECT_EQ(sounds_.played.size(), 2u);
    EXPECT_TRUE(images.Visible(MainButton::Exit));
    EXPECT_FALSE(images.Visible(MainButton::Play));
    images.HideAll();
    HoverSwitch(images, MainButton::Exit, state_, sounds_);
    ASSERT_EQ(sounds_.played.size(), 3u);
    EXPECT_EQ(sounds_.played.back(), std::filesystem::path("/program") / "butin4.wav");
}

TEST_F(MainWindowRulesTest, SoundOffKeepsTheImagesSwitchingSilently) {
    state_.Config.cfgGeneral.Sound = false;
    HoverImages images;
    HoverSwitch(images, MainButton::About, state_, sounds_);
    EXPECT_TRUE(images.Visible(MainButton::About));
    PlayClickSound(state_.Config, sounds_, state_.ProgramFolder);
    EXPECT_TRUE(sounds_.played.empty());
}

TEST_F(MainWindowRulesTest, ClickSoundComesFromTheProgramFolder) {
    PlayClickSound(state_.Config, sounds_, state_.ProgramFolder);
    ASSERT_EQ(sounds_.played.size(), 1u);
    EXPECT_EQ(sounds_.played[0], std::filesystem::path("/program") / "butin3.wav");
}

TEST_F(MainWindowRulesTest, SoundsAreFoundInAnySpellingOfTheirNames) {
    testing::TempFolder folder;
    testing::WriteFile(folder / "BUTIN3.WAV", "RIFF");
    testing::WriteFile(folder / "Butin4.Wav", "RIFF");
    PlayClickSound(state_.Config, sounds_, folder.path());
    PlayHoverSound(state_.Config, sounds_, folder.path());
    ASSERT_EQ(sounds_.played.size(), 2u);
    // The very files that are there (a file system that ignores case may give either spelling).
    std::error_code error;
    EXPECT_TRUE(std::filesystem::equivalent(sounds_.played[0], folder / "BUTIN3.WAV", error));
    EXPECT_TRUE(std::filesystem::equivalent(sounds_.played[1], folder / "Butin4.Wav", error));
}

struct TickCase {
    const char* what;
    std::string name;
    bool ticked;
    bool warns;
    bool selectedAfter;  // of row 1, which starts selected
};

TEST_F(MainWindowRulesTest, TickOfRowOne) {
    const std::vector<TickCase> cases = {
        {"untick the patch", "patch000.dat", false, true, false},
        {"untick in other case", "PATCH000.DAT", false, true, false},
        {"tick the patch", "Patch000.dat", true, false, true},
        {"untick another mod", "patch0000.dat", false, false, false},
    };
    for (const auto& c : cases) {
        FillMods(c.name);
        messages_.shown.clear();
        sounds_.played.clear();
        DATList_ItemCheck(state_, messages_, sounds_, 1, c.ticked);
        EXPECT_EQ(sounds_.played.size(), 1u) << c.what;
        ASSERT_EQ(messages_.shown.size(), c.warns ? 1u : 0u) << c.what;
        if (c.warns) {
            EXPECT_EQ(
                messages_.shown[0].text,
                "By disabling \"patch000.dat\" you will lost the 1.02d update for Fallout 2!");
            EXPECT_EQ(messages_.shown[0].title, "Vrel");
            EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
        }
        EXPECT_EQ(state_.Mods.Ticked(1), c.selectedAfter) << c.what;
    }
}

}  // namespace
}  // namespace vrel
