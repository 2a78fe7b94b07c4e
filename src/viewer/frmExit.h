#pragma once

#include <QDialog>
#include <chrono>

#include "platform/LifetimePort.h"

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

private:
    LifetimePort& lifetime_;
};

}  // namespace vrel
