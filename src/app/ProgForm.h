#pragma once

#include <QWidget>

#include "platform/ProgressPort.h"

class QLabel;
class QProgressBar;

namespace vrel {

// The small progress window shown while start-up reads the mods and while Play unpacks them.
class ProgForm final : public QWidget, public ProgressPort {
    Q_OBJECT

public:
    explicit ProgForm(QWidget* parent = nullptr);

    void Show() override;
    void Hide() override;
    void SetCaption(const std::string& caption) override;
    void SetLabel(const std::string& text) override;
    void SetValue(int value) override;
    void SetMaximum(int maximum) override;
    void Repaint() override;
    void RepaintLabel() override;

    QLabel* Label1 = nullptr;
    QProgressBar* ProgBar = nullptr;
};

}  // namespace vrel
