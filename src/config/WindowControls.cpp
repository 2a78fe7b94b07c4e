#include "config/WindowControls.h"

#include <QLabel>
#include <QPushButton>

namespace vrel {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QString& spoken,
                  QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(spoken);
    label->setGeometry(geometry);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& spoken, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(spoken);
    button->setGeometry(geometry);
    // Only the window's chosen default button answers Enter.
    button->setAutoDefault(false);
    return button;
}

}  // namespace vrel
