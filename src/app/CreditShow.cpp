#include "app/CreditShow.h"

namespace vrel {
namespace {

// How far each fade tick moves the grey.
constexpr std::int32_t kCreditColourStep = 0x040404;

// The line that follows `caption` in the credit loop; a caption outside the loop is followed by
// the fallback line.
std::string_view NextCreditLine(std::string_view caption) {
    if (caption == kCreditFallbackLine) {
        return kCreditLines.front();
    }
    for (std::size_t i = 0; i < kCreditLines.size(); ++i) {
        if (caption == kCreditLines[i]) {
            return kCreditLines[(i + 1) % kCreditLines.size()];
        }
    }
    return kCreditFallbackLine;
}

}  // namespace

void CreditShow::FadeTimer_Timer() {
    if (foreColor_ < kCreditColourBright) {
        foreColor_ += kCreditColourStep;
    } else {
        fadeTimer_ = false;
        showTimer_ = true;
    }
}

void CreditShow::ShowTimer_Timer() {
    fadeTimer2_ = true;
    showTimer_ = false;
}

void CreditShow::FadeTimer2_Timer() {
    if (foreColor_ > kCreditColourDark) {
        foreColor_ -= kCreditColourStep;
    } else {
        fadeTimer2_ = false;
        caption_ = std::string(NextCreditLine(caption_));
        fadeTimer_ = true;
    }
}

}  // namespace vrel
