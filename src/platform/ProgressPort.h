#pragma once

#include <string>

namespace vrel {

// The progress window of long work: a caption, one line of text and a bar. Nothing shows until
// Repaint (the whole window) or RepaintLabel (the text line alone) is called.
class ProgressPort {
public:
    virtual ~ProgressPort() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    virtual void SetValue(int value) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual void Repaint() = 0;
    virtual void RepaintLabel() = 0;
};

}  // namespace vrel
