#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <chrono>

#include "viewer/ViewerSession.h"
#include "viewer/ViewerView.h"
#include "viewer/frmExit.h"

class QKeyEvent;
class QPlainTextEdit;

namespace vrel {

// The viewer window: one text box filling the client area; the caption reports the state.
class frmViewer final : public QWidget, private ViewerView {
    Q_OBJECT

public:
    frmViewer(ViewerStart start, ViewerPorts ports,
              std::chrono::milliseconds splashInterval = kSplashInterval,
              QWidget* parent = nullptr);

    // Window load: shows the window and applies the command line.
    void Form_Load();
    ViewerSession& Session() { return session_; }

    QPlainTextEdit* Text1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_KeyUp(QKeyEvent* event);

    void SetCaption(const std::string& caption) override;
    void SetLoadingCaption(const std::string& caption) override;
    void ShowWindow() override;
    void SetText(const std::string& text) override;
    void SetColours(ColourScheme colours) override;
    void SetFontFace(const std::string& face, int points) override;
    void ShowExitSplash() override;

    LifetimePort& lifetime_;
    std::chrono::milliseconds splashInterval_;
    ViewerSession session_;
    QElapsedTimer captionClock_;
};

}  // namespace vrel
