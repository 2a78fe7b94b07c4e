#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace vrel {

// A skin picture at its exact size in pixels. The pictures are PNG files drawn from the SVG
// sources in resources/skins at these sizes, so no SVG renderer is needed at run time.
QPixmap SkinPixmap(const QString& name, QSize size);

// The windows' own 32 x 32 pointer, shown over their buttons.
QCursor SkinPointer();

// The skin's bold font at `pixelSize`: `first` where the system has it, else the nearest of the
// common sans fonts.
QFont SkinFont(const QString& first, int pixelSize);

// The skin picture `skin` shown at `at` over a button while the pointer is on it; hidden until
// then, and clicks pass through it to the button.
QLabel* HoverImage(const char* name, const QString& skin, QPoint at, QWidget* parent);

// A 0x00BBGGRR colour value as a colour.
QColor ColourFromBgr(std::int32_t bgr);

}  // namespace vrel
