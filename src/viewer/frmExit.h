#pragma once

#include <QDialog>
#include <chrono>

#include "platform/LifetimePort.h"

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QTimer;

namespace vrel {

inline constexpr std::chrono::milliseconds kSplashInterval{3000};

// The exit splash: a picture and two credit lines, centred over the viewer, shown modally until
// its timer ends the program.
class frmExit final : public QDialog {
    Q_OBJECT

public:
    frmExit(LifetimePort& lifetime, std::chrono::milliseconds interval = kSplashInterval,
            QWidget* viewer = nullptr);

    // The first tick ends the program.
    void Timer1_Timer();

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    // The splash answers nothing: Esc, Alt+F4 and the system's close command are ignored until
    // the timer ends the program.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    LifetimePort& lifetime_;
    bool ended_ = false;
};

}  // namespace vrel
