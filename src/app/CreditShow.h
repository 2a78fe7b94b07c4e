#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace vrel {

// Text colours of the credit line, 0x00BBGGRR greys.
inline constexpr std::int32_t kCreditColourBright = 0xFCFCFC;
inline constexpr std::int32_t kCreditColourDark = 0x404040;

inline constexpr std::array<std::string_view, 14> kCreditLines = {
    "Vrel",
    "Coded by the Vrel team",
    "GFX by the Vrel art crew",
    "Special Thanks to...",
    "the Linux testers [ORV]",
    "the Windows testers [ORV]",
    "the Wine testers [ORV]",
    "the mod authors [ORV]",
    "and the forum regulars [ORV]",
    "for testing Vrel!",
    "Brought to you by Orvanis",
    "The best Fallout community at...",
    "the Vrel Wasteland Forum",
    "See 'About' for links",
};

inline constexpr std::string_view kCreditFallbackLine = "*BUG* !!This should not happen!! *BUG*";

// The endless credit loop of the main window: each line fades in, holds, fades out and gives way
// to the next. Exactly one of the three timers is enabled at any time; the window runs its timers
// as these flags say and calls the matching handler on each tick.
class CreditShow {
public:
    void FadeTimer_Timer();   // fade in
    void ShowTimer_Timer();   // end of the hold
    void FadeTimer2_Timer();  // fade out, then the next line

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    std::int32_t ForeColor() const { return foreColor_; }

    bool FadeTimerEnabled() const { return fadeTimer_; }
    bool ShowTimerEnabled() const { return showTimer_; }
    bool FadeTimer2Enabled() const { return fadeTimer2_; }

private:
    std::string caption_{kCreditLines.front()};
    std::int32_t foreColor_ = kCreditColourDark;
    bool fadeTimer_ = true;
    bool showTimer_ = false;
    bool fadeTimer2_ = false;
};

}  // namespace vrel
