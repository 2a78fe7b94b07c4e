#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "Fakes.h"
#include "TempFolder.h"
#include "config/ProgramSettings.h"
#include "platform/Ports.h"

namespace vrel::testing {

// A program folder with vrel.cfg and fakes of every port, for the configuration windows.
class ConfigWindowFixture : public ::testing::Test {
protected:
    ConfigWindowFixture() { state_.ProgramFolder = folder_.path(); }

    std::filesystem::path CfgFile() const { return folder_ / "vrel.cfg"; }
    std::string CfgText() const {
        const auto bytes = ReadFile(CfgFile());
        return {bytes.begin(), bytes.end()};
    }

    TempFolder folder_;
    ProgramSettings state_;
    FakePorts fakes_;
    Ports& ports_ = fakes_.ports;
};

// Moves the pointer over the middle of `widget` without a button held, as the window system
// delivers it.
inline void MoveOver(QWidget* widget) {
    const QPointF local = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Every control of `window` that a screen reader would meet without a name.
inline std::vector<std::string> Unnamed(const QWidget& window) {
    std::vector<std::string> unnamed;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && child->accessibleName().isEmpty()) {
            unnamed.push_back(child->objectName().toStdString());
        }
    }
    return unnamed;
}

}  // namespace vrel::testing
