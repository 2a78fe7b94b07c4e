#pragma once

#include <QColor>
#include <QCursor>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace vrel {

// A skin picture at its exact size in pixels. The pictures are PNG files drawn from the SVG
// sources in resources/skins at these sizes, so no SVG renderer is needed at run time.
QPixmap SkinPixmap(const QString& name, QSize size);

// The windows' own 32 x 32 pointer, shown over their buttons.
QCursor SkinPointer();

// A 0x00BBGGRR colour value as a colour.
QColor ColourFromBgr(std::int32_t bgr);

}  // namespace vrel
