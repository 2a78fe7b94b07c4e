#pragma once

#include <string>

#include "viewer/KeyCommands.h"

namespace vrel {

// What the viewer's logic asks of its window.
class ViewerView {
public:
    virtual ~ViewerView() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // Called once per line while a file loads; the window may show these at a lower rate.
    virtual void SetLoadingCaption(const std::string& caption) = 0;
    virtual void ShowWindow() = 0;
    // Replaces the whole text (UTF-8, lines ending in a carriage return and a line feed).
    virtual void SetText(const std::string& text) = 0;
    virtual void SetColours(ColourScheme colours) = 0;
    virtual void SetFontFace(const std::string& face, int points) = 0;
    // Shows the exit splash modally; the splash ends the program.
    virtual void ShowExitSplash() = 0;
};

}  // namespace vrel
