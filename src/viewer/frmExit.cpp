#include "viewer/frmExit.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace vrel {
namespace {

QLabel* CreditLabel(const QString& text, int top, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(4, top, 241, 17);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(text);
    return label;
}

}  // namespace

frmExit::frmExit(LifetimePort& lifetime, std::chrono::milliseconds interval, QWidget* viewer)
    : QDialog(viewer, Qt::Dialog | Qt::FramelessWindowHint), lifetime_(lifetime) {
    setObjectName(QStringLiteral("frmExit"));
    setAccessibleName(QStringLiteral("Pendra is closing"));
    setFixedSize(250, 149);
    // The splash shares the look of its picture: light green on the dark green of the art.
    setStyleSheet(QStringLiteral("#frmExit { background: #001400; } QLabel { color: #c0ffc0; }"));

    Picture1 = new QLabel(this);
    Picture1->setGeometry(4, 4, 241, 101);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/viewer/Splash.png")));
    Picture1->setAccessibleName(QStringLiteral("Pendra splash picture"));

    Label1 = CreditLabel(QStringLiteral("Coded by the Vrel team / qrd"), 108, this);
    Label2 = CreditLabel(QStringLiteral("GFX by the Vrel team / qrd"), 128, this);

    if (viewer != nullptr) {
        move(viewer->frameGeometry().center() - rect().center());
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(interval);
    connect(Timer1, &QTimer::timeout, this, &frmExit::Timer1_Timer);
    Timer1->start();
}

void frmExit::Timer1_Timer() {
    Timer1->stop();
    ended_ = true;
    lifetime_.EndProgram();
    // Only reached when the program did not end (a recorded end in tests).
    accept();
}

void frmExit::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void frmExit::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmExit::reject() {
    if (ended_) {
        QDialog::reject();
    }
}

}  // namespace vrel
