// The committed pictures are what the programs show; they must be the renders of their sources, so
// an edited SVG is never shipped with an old picture. Anti-aliased rasterising differs by a level
// or two on a few edge pixels from one processor or library build to the next, so a picture
// matches its render when the sizes are equal and all but a handful of pixels are within a few
// levels: an edited colour or path changes far more than that.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "Pictures.h"

namespace vrel {
namespace {

const QDir kResources(QStringLiteral(VREL_RESOURCES_DIR));
const char* const kRedraw = "; run scripts/render-pictures.sh and commit the pictures";

constexpr int kLevelsAnyPixelMayDiffer = 48;
constexpr int kLevelsOfAnAlikePixel = 3;
constexpr int kPixelsThatMayDiffer = 4;

// Empty when the two pictures match as the comment at the top says; else what differs.
std::string Difference(const QImage& committed, const QImage& rendered) {
    if (committed.size() != rendered.size()) {
        return "size differs";
    }
    const QImage left = committed.convertToFormat(QImage::Format_ARGB32);
    const QImage right = rendered.convertToFormat(QImage::Format_ARGB32);
    int pixelsOff = 0;
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb a = left.pixel(x, y);
            const QRgb b = right.pixel(x, y);
            const int channel =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            largest = std::max(largest, channel);
            pixelsOff += channel > kLevelsOfAnAlikePixel ? 1 : 0;
        }
    }
    if (pixelsOff > kPixelsThatMayDiffer || largest > kLevelsAnyPixelMayDiffer) {
        return std::to_string(pixelsOff) + " pixels differ, by up to " + std::to_string(largest) +
               " levels";
    }
    return {};
}

// The pictures of an ICO file as its directory lists them, each decoded; an empty list when the
// file is not one.
QList<QImage> IcoFrames(const QByteArray& ico) {
    const auto read16 = [&ico](qsizetype at) {
        return qFromLittleEndian<quint16>(ico.constData() + at);
    };
    const auto read32 = [&ico](qsizetype at) {
        return qFromLittleEndian<quint32>(ico.constData() + at);
    };
    if (ico.size() < 6 || read16(0) != 0 || read16(2) != 1) {
        return {};
    }
    const int count = read16(4);
    QList<QImage> frames;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype{i};
        if (entry + 16 > ico.size()) {
            return {};
        }
        const quint32 size = read32(entry + 8);
        const quint32 offset = read32(entry + 12);
        if (offset > static_cast<quint32>(ico.size()) || size > ico.size() - offset) {
            return {};
        }
        QImage frame = QImage::fromData(ico.mid(offset, size));
        const int side = static_cast<unsigned char>(ico[entry]);
        if (frame.isNull() || frame.width() != (side == 0 ? 256 : side)) {
            return {};
        }
        frames.append(frame);
    }
    return frames;
}

TEST(PicturesTest, EveryPngIsItsSvgDrawnAtTheWindowsSize) {
    for (const PictureSource& source : PictureSources()) {
        SCOPED_TRACE(source.png.toStdString());
        const QImage committed(kResources.filePath(source.png));
        ASSERT_FALSE(committed.isNull()) << "missing" << kRedraw;
        EXPECT_EQ(committed.size(), source.size) << kRedraw;
        EXPECT_EQ(Difference(committed, RenderSvg(kResources.filePath(source.svg), source.size)),
                  "")
            << kRedraw;
    }
}

TEST(PicturesTest, EveryIconIsItsSvgDrawn) {
    for (const IconSource& source : IconSources()) {
        SCOPED_TRACE(source.ico.toStdString());
        QFile committed(kResources.filePath(source.ico));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << "missing" << kRedraw;
        const QList<QImage> frames = IcoFrames(committed.readAll());
        const QList<QImage> rendered = IcoFrames(RenderIco(kResources.filePath(source.svg)));
        ASSERT_FALSE(rendered.isEmpty());
        ASSERT_EQ(frames.size(), rendered.size()) << "not an icon of every size" << kRedraw;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(Difference(frames[i], rendered[i]), "")
                << rendered[i].width() << " pixels" << kRedraw;
        }
    }
}

}  // namespace
}  // namespace vrel
