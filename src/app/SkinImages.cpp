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

QFont SkinFont(const QString& first, int pixelSize) {
    QFont font;
    font.setFamilies({first, QStringLiteral("Tahoma"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QLabel* HoverImage(const char* name, const QString& skin, QPoint at, QWidget* parent) {
    auto* image = new QLabel(parent);
    image->setObjectName(QString::fromLatin1(name));
    image->setPixmap(SkinPixmap(skin, QSize(93, 23)));
    image->setGeometry(QRect(at, QSize(93, 23)));
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->hide();
    return image;
}

QColor ColourFromBgr(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace vrel
