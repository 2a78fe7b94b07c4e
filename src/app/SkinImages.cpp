#include "app/SkinImages.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace vrel {

QPixmap SkinPixmap(const QString& name, QSize size) {
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/skins/%1.svg").arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QCursor SkinPointer() {
    return QCursor(SkinPixmap(QStringLiteral("pointer"), QSize(32, 32)), 2, 1);
}

QColor ColourFromBgr(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace vrel
