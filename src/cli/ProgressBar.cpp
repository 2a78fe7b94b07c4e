#include "cli/ProgressBar.h"

#include <string>

namespace vrel::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

void ProgressBar::Step() {
    ++done_;
    if (shown_) {
        Draw(static_cast<int>(done_ * 1000 / total_));
    }
}

void ProgressBar::Part(std::int64_t part, std::int64_t whole) {
    if (shown_ && whole > 0 && part >= 0 && part <= whole) {
        Draw(static_cast<int>((done_ * 1000 + part * 1000 / whole) / total_));
    }
}

void ProgressBar::Draw(int permille) {
    // Redrawing only when the figure changes keeps a terminal from slowing the work down.
    if (permille == drawnPermille_ && onScreen_) {
        return;
    }
    drawnPermille_ = permille;
    const int filled = permille * kBarWidth / 1000;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] " << permille / 10
         << "% " << done_ << "/" << total_ << std::flush;
    onScreen_ = true;
}

void ProgressBar::Clear() {
    if (onScreen_) {
        out_ << "\r" << std::string(kBarWidth + 32, ' ') << "\r" << std::flush;
        onScreen_ = false;
    }
}

}  // namespace vrel::cli
