#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace vrel {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQtButton(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return QMessageBox::Ok;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest& request, QWidget* parent) {
    QString text = QString::fromUtf8(request.text);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    auto box =
        std::make_unique<QMessageBox>(ToQtIcon(request.icon), QString::fromUtf8(request.title),
                                      text, QMessageBox::NoButton, parent);
    switch (request.buttons) {
        case MessageButtons::Ok:
            box->setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    if (request.defaultAnswer) {
        box->setDefaultButton(ToQtButton(*request.defaultAnswer));
    }
    return box;
}

MessageAnswer QtMessageBox::Show(const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> shown = NewMessageBox(request, QApplication::activeWindow());
    QMessageBox& box = *shown;
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            break;
    }
    // Closing a box without choosing counts as its escape button.
    if (request.buttons == MessageButtons::OkCancel && box.clickedButton() == nullptr) {
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

}  // namespace vrel
