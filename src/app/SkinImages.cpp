#include "app/SkinImages.h"

namespace vrel {

QPixmap SkinPixmap(const QString& name, QSize size) {
    QPixmap pixmap(QStringLiteral(":/skins/%1.png").arg(name));
    if (pixmap.size() != size) {
        pixmap = pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return pixmap;
}

QCursor SkinPointer() {
    return QCursor(SkinPixmap(QStringLiteral("pointer"), QSize(32, 32)), 2, 1);
}

QColor ColourFromBgr(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace vrel
