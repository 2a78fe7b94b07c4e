#include "app/HotSpot.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vrel {

HotSpot::HotSpot(const QString& accessibleName, const QRect& geometry, QWidget* parent)
    : QAbstractButton(parent) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setGeometry(geometry);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void HotSpot::SetForeColor(const QColor& colour) {
    QPalette own = palette();
    own.setColor(QPalette::WindowText, colour);
    setPalette(own);
    update();
}

QColor HotSpot::ForeColor() const {
    return palette().color(QPalette::WindowText);
}

void HotSpot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!text().isEmpty()) {
        painter.setPen(ForeColor());
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text());
    }
    if (hasFocus()) {
        painter.setPen(QPen(QColor(120, 255, 140), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// Enter presses the button as Space does, the way a player expects of any button.
void HotSpot::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved();
    QAbstractButton::mouseMoveEvent(event);
    // The window under a button must not take the move for one over its bare body.
    event->accept();
}

}  // namespace vrel
