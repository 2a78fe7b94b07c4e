#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace vrel {

// A label or push button of the configuration windows, named for tests and for screen readers.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QString& spoken,
                  QRect geometry);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& spoken, QRect geometry);

}  // namespace vrel
