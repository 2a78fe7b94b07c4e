#pragma once

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace vrel::testing {

// Moves the pointer over `widget` through its window, as the window system does, so that the
// widget under the pointer gets the move (QTest's widget overload only sets the cursor position).
inline void MovePointer(QWidget* widget, QPoint position) {
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, position));
}

}  // namespace vrel::testing
