#pragma once

#include <cstdint>
#include <ostream>

namespace vrel::cli {

// Every sub-command that shows progress takes these, and shows it only on a terminal.
inline constexpr const char* kQuietFlag = "-q";
inline constexpr const char* kQuietLongFlag = "--quiet";

// A one-line bar redrawn in place on a terminal; does nothing when not shown.
class ProgressBar {
public:
    ProgressBar(std::ostream& out, bool shown, std::int64_t total)
        : out_(out), shown_(shown && total > 0), total_(total) {}
    ~ProgressBar() { Clear(); }

    void Step();
    // Shows the next step `part` of `whole` done, so that a long step moves the bar too.
    void Part(std::int64_t part, std::int64_t whole);
    // Removes the bar so that a message can take its line; the next Step draws it again.
    void Clear();

private:
    void Draw(int permille);

    std::ostream& out_;
    bool shown_;
    std::int64_t total_;
    std::int64_t done_ = 0;
    int drawnPermille_ = -1;
    bool onScreen_ = false;
};

}  // namespace vrel::cli
