#pragma once

#include <QAbstractButton>

namespace vrel {

// A transparent picture button of a skinned window: the skin behind it is the picture, so it draws
// nothing but its caption (when it has one) and a focus frame for keyboard users. It reports every
// pointer move over it, which the skinned windows use for their hover effects.
class HotSpot final : public QAbstractButton {
    Q_OBJECT

public:
    HotSpot(const QString& accessibleName, const QRect& geometry, QWidget* parent);

    void SetForeColor(const QColor& colour);
    QColor ForeColor() const;

signals:
    void PointerMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vrel
