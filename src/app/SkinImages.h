#pragma once

#include <QColor>
#include <QCursor>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace vrel {

// A skin picture at its exact size in pixels, drawn from its SVG source for the screen's pixel
// ratio so it stays sharp on high-density screens. Names are those of resources/skins.
QPixmap SkinPixmap(const QString& name, QSize size);

// The windows' own 32 x 32 pointer, shown over their buttons.
QCursor SkinPointer();

// A 0x00BBGGRR colour value as a colour.
QColor ColourFromBgr(std::int32_t bgr);

}  // namespace vrel
