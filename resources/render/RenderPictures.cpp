// Renders the SVG sources under resources/ to the PNG and ICO files the programs carry, so that
// they show their pictures without an SVG renderer. Run scripts/render-pictures.sh after changing
// an SVG and commit the pictures with it. Usage: render_pictures RESOURCES_FOLDER
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "Pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_pictures RESOURCES_FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    int failures = 0;
    for (const vrel::PictureSource& source : vrel::PictureSources()) {
        const QImage image = vrel::RenderSvg(resources.filePath(source.svg), source.size);
        if (image.isNull() || !image.save(resources.filePath(source.png), "PNG")) {
            std::fprintf(stderr, "render_pictures: cannot render %s\n", qPrintable(source.png));
            ++failures;
        }
    }
    for (const vrel::IconSource& source : vrel::IconSources()) {
        const QByteArray ico = vrel::RenderIco(resources.filePath(source.svg));
        QFile file(resources.filePath(source.ico));
        if (ico.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
            std::fprintf(stderr, "render_pictures: cannot render %s\n", qPrintable(source.ico));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
