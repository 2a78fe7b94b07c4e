#include "app/ProgForm.h"

#include <QLabel>
#include <QProgressBar>

#include "platform/qt/LongWork.h"

namespace vrel {

ProgForm::ProgForm(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgForm"));
    setWindowTitle(QStringLiteral("Doing..."));
    setFixedSize(311, 55);

    Label1 = new QLabel(QStringLiteral("Wait"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(32, 8, 249, 17);
    Label1->setAccessibleName(QStringLiteral("Progress"));

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setGeometry(8, 32, 297, 17);
    ProgBar->setRange(0, 100);
    ProgBar->setTextVisible(false);
    ProgBar->setAccessibleName(QStringLiteral("Progress bar"));
}

void ProgForm::Show() {
    show();
}

void ProgForm::Hide() {
    hide();
}

void ProgForm::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void ProgForm::SetLabel(const std::string& text) {
    Label1->setText(QString::fromStdString(text));
}

void ProgForm::SetValue(int value) {
    ProgBar->setValue(value);
}

void ProgForm::SetMaximum(int maximum) {
    ProgBar->setMaximum(maximum);
}

void ProgForm::Repaint() {
    repaint();
    PaintDuringWork();
}

void ProgForm::RepaintLabel() {
    Label1->repaint();
    PaintDuringWork();
}

}  // namespace vrel
