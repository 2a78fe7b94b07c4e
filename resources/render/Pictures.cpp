#include "Pictures.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace vrel {

const QList<PictureSource>& PictureSources() {
    static const QList<PictureSource> sources = {
        {"skins/about.svg", "skins/about.png", {300, 200}},
        {"skins/check_off.svg", "skins/check_off.png", {11, 11}},
        {"skins/check_on.svg", "skins/check_on.png", {11, 11}},
        {"skins/hover_about.svg", "skins/hover_about.png", {93, 23}},
        {"skins/hover_exit.svg", "skins/hover_exit.png", {93, 23}},
        {"skins/hover_options.svg", "skins/hover_options.png", {93, 23}},
        {"skins/hover_play.svg", "skins/hover_play.png", {93, 23}},
        {"skins/list.svg", "skins/list.png", {250, 395}},
        {"skins/main.svg", "skins/main.png", {400, 517}},
        {"skins/pointer.svg", "skins/pointer.png", {32, 32}},
        {"viewer/Splash.svg", "viewer/Splash.png", {250, 100}},
        {"icons/vrel2.svg", "icons/vrel2.png", {64, 64}},
        {"icons/pendra.svg", "icons/pendra.png", {64, 64}},
    };
    return sources;
}

const QList<IconSource>& IconSources() {
    static const QList<IconSource> sources = {
        {"icons/vrel2.svg", "icons/vrel2.ico"},
        {"icons/pendra.svg", "icons/pendra.ico"},
    };
    return sources;
}

QImage RenderSvg(const QString& svgPath, QSize size) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

namespace {

void AppendLittleEndian16(QByteArray& bytes, int value) {
    const quint16 little = qToLittleEndian(static_cast<quint16>(value));
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void AppendLittleEndian32(QByteArray& bytes, qsizetype value) {
    const quint32 little = qToLittleEndian(static_cast<quint32>(value));
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

}  // namespace

QByteArray RenderIco(const QString& svgPath) {
    const QList<int> sizes = {16, 24, 32, 48, 64, 256};
    QList<QByteArray> pngs;
    for (int size : sizes) {
        const QImage image = RenderSvg(svgPath, QSize(size, size));
        if (image.isNull()) {
            return {};
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.append(png);
    }
    // ICONDIR, then one ICONDIRENTRY per picture, then the pictures; a width or height of 256 is
    // written as 0.
    QByteArray ico;
    AppendLittleEndian16(ico, 0);
    AppendLittleEndian16(ico, 1);
    AppendLittleEndian16(ico, static_cast<int>(sizes.size()));
    qsizetype offset = 6 + 16 * sizes.size();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const char side = static_cast<char>(sizes[i] % 256);
        ico.append(side).append(side).append('\0').append('\0');
        AppendLittleEndian16(ico, 1);
        AppendLittleEndian16(ico, 32);
        AppendLittleEndian32(ico, pngs[i].size());
        AppendLittleEndian32(ico, offset);
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs) {
        ico.append(png);
    }
    return ico;
}

}  // namespace vrel
