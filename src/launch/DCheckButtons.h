#pragma once

#include <cstdint>

namespace vrel {

// Back colours of the conflict window's buttons, as 0x00BBGGRR values.
inline constexpr std::uint32_t kButtonGrey = 0xC0C0C0;

enum class DCheckButton { Go, Cancel };

// Which of the two buttons is lit. The mouse over a button lights it and dims the other; the
// entering sound plays only while the button is still dim, so once per entry, not on every move.
class DCheckButtonColours {
public:
    // True when the entering sound is due: the button was dim (PlayHoverSound then asks the
    // setting).
    bool MouseOver(DCheckButton button);
    void MouseOverBackground();

    std::uint32_t BackColor(DCheckButton button) const {
        return button == DCheckButton::Go ? go_ : cancel_;
    }

private:
    std::uint32_t go_ = kButtonGrey;
    std::uint32_t cancel_ = kButtonGrey;
};

}  // namespace vrel
