#include "launch/DCheckButtons.h"

namespace vrel {
namespace {

constexpr std::uint32_t kButtonHoverGrey = 0xE0E0E0;

}  // namespace

bool DCheckButtonColours::MouseOver(DCheckButton button) {
    const bool soundDue = BackColor(button) == kButtonGrey;
    go_ = button == DCheckButton::Go ? kButtonHoverGrey : kButtonGrey;
    cancel_ = button == DCheckButton::Cancel ? kButtonHoverGrey : kButtonGrey;
    return soundDue;
}

void DCheckButtonColours::MouseOverBackground() {
    go_ = kButtonGrey;
    cancel_ = kButtonGrey;
}

}  // namespace vrel
