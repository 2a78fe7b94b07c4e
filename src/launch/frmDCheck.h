#pragma once

#include <QDialog>
#include <functional>

#include "launch/DCheckButtons.h"
#include "platform/SoundPort.h"
#include "state/ProgramState.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace vrel {

// The conflict window: shown modally before play, it checks the picked mods once, lists every
// clash with its verdict and lets the user go on or give up. It reports back only through
// CancelPlay, which every way of closing it but Continue sets.
class frmDCheck final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCheckDelayMs = 200;

    frmDCheck(ProgramState& state, SoundPort& sounds, int checkDelayMs = kCheckDelayMs,
              QWidget* parent = nullptr);

    // Lists the clashes and shows the verdict. The window stays painted meanwhile, with the
    // hourglass, and user input waits until the check is done.
    void ConflictCheck();

    void Timer1_Timer();
    void btnGo_Click();
    void btnCancel_Click();
    void reject() override;

    // Asks the window system to move the window with the mouse; replaceable for tests.
    std::function<void()> StartMove;

    QLabel* Label1 = nullptr;
    QListWidget* ConflictList = nullptr;
    QPushButton* btnGo = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ButtonMouseMove(DCheckButton button);
    void Form_MouseMove();
    void ShowButtonColours();

    ProgramState& state_;
    SoundPort& sounds_;
    DCheckButtonColours colours_;
    bool checking_ = false;
};

}  // namespace vrel
