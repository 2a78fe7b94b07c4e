// The committed pictures are what the programs show; they must be the renders of their sources, so
// an edited SVG is never shipped with an old picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "Pictures.h"

namespace vrel {
namespace {

const QDir kResources(QStringLiteral(VREL_RESOURCES_DIR));
const char* const kRedraw = "; run scripts/render-pictures.sh and commit the pictures";

TEST(PicturesTest, EveryPngIsItsSvgDrawnAtTheWindowsSize) {
    for (const PictureSource& source : PictureSources()) {
        SCOPED_TRACE(source.png.toStdString());
        const QImage committed(kResources.filePath(source.png));
        ASSERT_FALSE(committed.isNull()) << "missing" << kRedraw;
        EXPECT_EQ(committed.size(), source.size) << kRedraw;
        EXPECT_TRUE(committed.convertToFormat(QImage::Format_ARGB32) ==
                    RenderSvg(kResources.filePath(source.svg), source.size))
            << "differs from its source" << kRedraw;
    }
}

TEST(PicturesTest, EveryIconIsItsSvgDrawn) {
    for (const IconSource& source : IconSources()) {
        SCOPED_TRACE(source.ico.toStdString());
        QFile committed(kResources.filePath(source.ico));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << "missing" << kRedraw;
        EXPECT_TRUE(committed.readAll() == RenderIco(kResources.filePath(source.svg)))
            << "differs from its source" << kRedraw;
    }
}

}  // namespace
}  // namespace vrel
