#pragma once

#include <QFont>
#include <QString>

class QFontMetrics;

namespace vrel {

// Tahoma 8.25 pt, the configuration windows' font; the nearest one where Tahoma is missing.
QFont ConfigWindowFont();

// `text` broken into lines at spaces so that no line is wider than `width`, for check boxes,
// whose captions do not wrap by themselves.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace vrel
