#include "launch/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace vrel {
namespace {

constexpr int kSide = 20;

// Draws on a square of kSide logical pixels, at one and two device pixels per logical pixel.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(kSide * scale, kSide * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Disc(QPainter& painter, const QColor& light, const QColor& dark) {
    QRadialGradient fill(QPointF(7, 6), 14);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setPen(QPen(dark.darker(140), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1.5, 1.5, kSide - 3, kSide - 3));
}

}  // namespace

QIcon ContinuePicture() {
    return DrawnIcon([](QPainter& painter) {
        Disc(painter, QColor(134, 214, 110), QColor(38, 128, 44));
        QPainterPath arrow;
        arrow.moveTo(6, 8.5);
        arrow.lineTo(10.5, 8.5);
        arrow.lineTo(10.5, 5.5);
        arrow.lineTo(15, 10);
        arrow.lineTo(10.5, 14.5);
        arrow.lineTo(10.5, 11.5);
        arrow.lineTo(6, 11.5);
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(arrow);
    });
}

QIcon CancelPicture() {
    return DrawnIcon([](QPainter& painter) {
        Disc(painter, QColor(240, 120, 110), QColor(168, 32, 30));
        painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(7, 7), QPointF(13, 13));
        painter.drawLine(QPointF(13, 7), QPointF(7, 13));
    });
}

}  // namespace vrel
