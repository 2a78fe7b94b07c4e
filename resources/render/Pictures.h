#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace vrel {

// One picture the programs show, drawn from its SVG source at the exact size the windows use.
// Paths are relative to resources/.
struct PictureSource {
    QString svg;
    QString png;
    QSize size;
};

// Every picture the programs carry as PNG: the skins, the exit splash and the window icons.
const QList<PictureSource>& PictureSources();

// The program icons: SVG source, ICO target (relative to resources/).
struct IconSource {
    QString svg;
    QString ico;
};
const QList<IconSource>& IconSources();

// Draws an SVG file at the given size on a transparent background; a null image when the file
// cannot be read.
QImage RenderSvg(const QString& svgPath, QSize size);

// A Windows icon file holding the SVG drawn at 16, 24, 32, 48, 64 and 256 pixels, each entry
// stored as PNG. Empty when the SVG cannot be read.
QByteArray RenderIco(const QString& svgPath);

}  // namespace vrel
