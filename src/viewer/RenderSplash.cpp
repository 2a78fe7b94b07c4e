// Build tool: renders the splash source picture to the JPEG that the exit splash shows.
// Usage: RenderSplash SOURCE.svg TARGET.jpg
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: RenderSplash SOURCE.svg TARGET.jpg\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "RenderSplash: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "JPEG", 92)) {
        std::fprintf(stderr, "RenderSplash: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
