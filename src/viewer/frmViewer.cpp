#include "viewer/frmViewer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "platform/qt/LongWork.h"
#include "viewer/ViewerTexts.h"

namespace vrel {
namespace {

// A display can follow a few dozen caption changes a second; more only slow the load down.
constexpr qint64 kCaptionPeriodMs = 40;

ViewerKey ToViewerKey(int key) {
    switch (key) {
        case Qt::Key_F1:
            return ViewerKey::F1;
        case Qt::Key_F2:
            return ViewerKey::F2;
        case Qt::Key_F3:
            return ViewerKey::F3;
        case Qt::Key_F4:
            return ViewerKey::F4;
        case Qt::Key_F5:
            return ViewerKey::F5;
        case Qt::Key_F6:
            return ViewerKey::F6;
        case Qt::Key_F7:
            return ViewerKey::F7;
        case Qt::Key_F8:
            return ViewerKey::F8;
        case Qt::Key_F11:
            return ViewerKey::F11;
        case Qt::Key_F12:
            return ViewerKey::F12;
        case Qt::Key_L:
            return ViewerKey::L;
        case Qt::Key_Escape:
            return ViewerKey::Escape;
        default:
            return ViewerKey::Other;
    }
}

QColor ToQColor(Colour colour) {
    return QColor(Red(colour), Green(colour), Blue(colour));
}

// Where "Terminal" and "Fixedsys" are missing, these monospace faces with box-drawing glyphs
// stand in, the first one installed.
QStringList ConsoleFaces(const QString& face) {
    return {face, QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Consolas"),
            QStringLiteral("Noto Sans Mono")};
}

}  // namespace

frmViewer::frmViewer(ViewerStart start, ViewerPorts ports, std::chrono::milliseconds splashInterval,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      lifetime_(ports.lifetime),
      splashInterval_(splashInterval),
      session_(std::move(start), ports, *this) {
    setObjectName(QStringLiteral("frmViewer"));
    setAccessibleName(QStringLiteral("Pendra"));
    setFixedSize(664, 454);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("File text"));
    Text1->setGeometry(0, 0, 665, 456);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Nothing reads the text back or saves it, so it is shown read-only; it can still be
    // scrolled, searched with the caret and copied.
    Text1->setReadOnly(true);
    Text1->setUndoRedoEnabled(false);
    Text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    Text1->installEventFilter(this);

    SetFontFace(kTerminalFace, kFontPoints);
    SetColours(kStartScheme);
    SetText(kNoFileText);
}

void frmViewer::Form_Load() {
    session_.Form_Load();
}

bool frmViewer::eventFilter(QObject* watched, QEvent* event) {
    // The window sees every key released in the text box first.
    if (watched == Text1 && event->type() == QEvent::KeyRelease) {
        Form_KeyUp(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmViewer::keyReleaseEvent(QKeyEvent* event) {
    Form_KeyUp(event);
}

void frmViewer::Form_KeyUp(QKeyEvent* event) {
    // A held key repeats its release on some platforms; a command runs once per real release.
    if (event->isAutoRepeat()) {
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    session_.KeyUp(ToViewerKey(event->key()), {.Shift = modifiers.testFlag(Qt::ShiftModifier),
                                               .Ctrl = modifiers.testFlag(Qt::ControlModifier),
                                               .Alt = modifiers.testFlag(Qt::AltModifier)});
}

void frmViewer::closeEvent(QCloseEvent* event) {
    session_.QueryUnload();
    event->accept();
}

void frmViewer::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromUtf8(caption));
    captionClock_.invalidate();
}

void frmViewer::SetLoadingCaption(const std::string& caption) {
    if (captionClock_.isValid() && captionClock_.elapsed() < kCaptionPeriodMs) {
        return;
    }
    captionClock_.start();
    setWindowTitle(QString::fromUtf8(caption));
    // Let the window system see the caption and the window stay painted.
    PaintDuringWork();
}

void frmViewer::ShowWindow() {
    show();
}

void frmViewer::SetText(const std::string& text) {
    // The text box breaks lines at line feeds; a line feed alone inside a line shows as a break.
    QString display = QString::fromUtf8(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(display);
}

void frmViewer::SetColours(ColourScheme colours) {
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Text, ToQColor(colours.Text));
    palette.setColor(QPalette::Base, ToQColor(colours.Back));
    Text1->setPalette(palette);
}

void frmViewer::SetFontFace(const std::string& face, int points) {
    QFont font = Text1->font();
    font.setFamilies(ConsoleFaces(QString::fromUtf8(face)));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    // Whole-pixel glyph advances, so that block characters meet without seams.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPointSize(points);
    Text1->setFont(font);
}

void frmViewer::ShowExitSplash() {
    frmExit splash(lifetime_, splashInterval_, this);
    splash.exec();
}

}  // namespace vrel
