#include "launch/frmDCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "archive/ConflictCheck.h"
#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/ButtonSounds.h"
#include "launch/ButtonPictures.h"
#include "platform/qt/LongWork.h"

namespace vrel {
namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 320;
constexpr int kTitleBand = 26;
const QColor kBackground(214, 214, 214);
const QColor kFrame(74, 74, 74);

// 0x00BBGGRR, as the window's colours are kept.
QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QFont WindowFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QPushButton* PictureButton(const QString& caption, const QIcon& picture, QWidget* parent) {
    auto* button = new QPushButton(picture, caption, parent);
    button->setIconSize(QSize(20, 20));
    button->setMouseTracking(true);
    // A move over the button is the button's own, not the background's.
    button->setAttribute(Qt::WA_NoMousePropagation);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// Shows the hourglass for as long as it lives.
class HourglassPointer {
public:
    HourglassPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassPointer() { QApplication::restoreOverrideCursor(); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};

}  // namespace

frmDCheck::frmDCheck(ProgramState& state, SoundPort& sounds, int checkDelayMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), state_(state), sounds_(sounds) {
    setObjectName(QStringLiteral("frmDCheck"));
    setWindowTitle(QStringLiteral("Conflict check"));
    setAccessibleName(QStringLiteral("Conflict check"));
    setFixedSize(kWidth, kHeight);
    setFont(WindowFont(9, false));
    setMouseTracking(true);
    setModal(true);

    StartMove = [this] {
        if (QWindow* window = windowHandle()) {
            window->startSystemMove();
        }
    };

    Label1 = new QLabel(
        QStringLiteral("I'm currently checking the selected DATs to ensure there're no conflicts"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Verdict"));
    Label1->setAccessibleDescription(Label1->text());
    Label1->setGeometry(16, kTitleBand + 10, kWidth - 32, 56);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->installEventFilter(this);

    ConflictList = new QListWidget(this);
    ConflictList->setObjectName(QStringLiteral("ConflictList"));
    ConflictList->setAccessibleName(QStringLiteral("Conflicts"));
    ConflictList->setGeometry(16, kTitleBand + 72, kWidth - 32, 164);
    // A line names a member and two archives: scroll to read a long one rather than cut it.
    ConflictList->setTextElideMode(Qt::ElideNone);
    ConflictList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ConflictList->setFont(WindowFont(8.25, false));

    btnGo = PictureButton(QStringLiteral("Continue"), ContinuePicture(), this);
    btnGo->setObjectName(QStringLiteral("btnGo"));
    btnGo->setAccessibleName(QStringLiteral("Continue"));
    btnGo->setGeometry(kWidth - 16 - 2 * 104 - 8, kHeight - 46, 104, 32);
    btnGo->setDefault(true);
    btnGo->installEventFilter(this);

    btnCancel = PictureButton(QStringLiteral("Cancel"), CancelPicture(), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAccessibleName(QStringLiteral("Cancel"));
    btnCancel->setGeometry(kWidth - 16 - 104, kHeight - 46, 104, 32);
    // Enter on Cancel gives up, as Enter on Continue goes on.
    btnCancel->setAutoDefault(true);
    btnCancel->installEventFilter(this);

    ShowButtonColours();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(checkDelayMs);
    Timer1->setSingleShot(true);

    connect(Timer1, &QTimer::timeout, this, &frmDCheck::Timer1_Timer);
    connect(btnGo, &QPushButton::clicked, this, &frmDCheck::btnGo_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmDCheck::btnCancel_Click);
}

void frmDCheck::ConflictCheck() {
    const HourglassPointer hourglass;
    ConflictList->clear();

    // The check runs beside the event loop so that the window keeps painting; user input is held
    // back until it ends, as the hourglass says.
    ConflictReport report;
    checking_ = true;
    try {
        RunPainting([&] { report = vrel::ConflictCheck(state_.Mods.FalloutDats()); });
    } catch (...) {
        checking_ = false;
        throw;
    }
    checking_ = false;

    QStringList lines;
    lines.reserve(static_cast<qsizetype>(report.Lines.size()));
    for (std::size_t line = 0; line < report.Lines.size(); ++line) {
        lines.push_back(QString::fromStdString(ShownConflictLine(report, line)));
    }
    ConflictList->addItems(lines);
    // A long line is cut at the list's edge: its tooltip holds it whole, the winner included.
    for (int row = 0; row < ConflictList->count(); ++row) {
        ConflictList->item(row)->setToolTip(ConflictList->item(row)->text());
    }
    Label1->setText(QString::fromStdString(VerdictText(report.Verdict)));
    Label1->setAccessibleDescription(Label1->text());  // the name only says it is the verdict
}

void frmDCheck::Timer1_Timer() {
    // Stopped before the check: the check lets timers run while it works.
    Timer1->stop();
    ConflictCheck();
}

void frmDCheck::btnGo_Click() {
    PlayClickSound(state_.Config, sounds_, state_.ProgramFolder);
    accept();
}

void frmDCheck::btnCancel_Click() {
    PlayClickSound(state_.Config, sounds_, state_.ProgramFolder);
    reject();
}

// Escape, the close command and Cancel all give up: only Continue starts the game.
void frmDCheck::reject() {
    state_.CancelPlay = true;
    QDialog::reject();
}

bool frmDCheck::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::MouseMove || event->type() == QEvent::Enter;
    if (watched == btnGo && moved) {
        ButtonMouseMove(DCheckButton::Go);
    } else if (watched == btnCancel && moved) {
        ButtonMouseMove(DCheckButton::Cancel);
    } else if (watched == Label1 && event->type() == QEvent::MouseButtonPress) {
        StartMove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmDCheck::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Timer1->start();
    }
}

void frmDCheck::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        Timer1->stop();
    }
}

void frmDCheck::closeEvent(QCloseEvent* event) {
    if (checking_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmDCheck::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void frmDCheck::mousePressEvent(QMouseEvent* event) {
    StartMove();
    event->accept();
}

void frmDCheck::leaveEvent(QEvent* event) {
    // Leaving the window dims both buttons, as a move over the bare background does.
    Form_MouseMove();
    QDialog::leaveEvent(event);
}

void frmDCheck::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    QLinearGradient band(0, 0, 0, kTitleBand);
    band.setColorAt(0, QColor(96, 96, 96));
    band.setColorAt(1, QColor(64, 64, 64));
    painter.fillRect(QRect(0, 0, width(), kTitleBand), band);
    painter.setPen(Qt::white);
    painter.setFont(WindowFont(9, true));
    painter.drawText(QRect(12, 0, width() - 24, kTitleBand), Qt::AlignLeft | Qt::AlignVCenter,
                     windowTitle());
    painter.setPen(QColor(180, 180, 180));
    painter.drawLine(16, height() - 56, width() - 17, height() - 56);
    painter.setPen(kFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmDCheck::ButtonMouseMove(DCheckButton button) {
    if (colours_.MouseOver(button)) {
        PlayHoverSound(state_.Config, sounds_, state_.ProgramFolder);
    }
    ShowButtonColours();
}

void frmDCheck::Form_MouseMove() {
    colours_.MouseOverBackground();
    ShowButtonColours();
}

void frmDCheck::ShowButtonColours() {
    for (auto [button, which] :
         {std::pair{btnGo, DCheckButton::Go}, std::pair{btnCancel, DCheckButton::Cancel}}) {
        const std::uint32_t bgr = colours_.BackColor(which);
        // Restyling on every move would repaint the buttons needlessly.
        if (button->property("backColor").isValid() &&
            button->property("backColor").toUInt() == bgr) {
            continue;
        }
        button->setProperty("backColor", bgr);
        const QColor back = FromBgr(bgr);
        button->setStyleSheet(
            QStringLiteral(
                "QPushButton { background-color: %1; color: black; border: 1px solid #6e6e6e; border-radius: 3px; padding: 2px 10px; } QPushButton:pressed { background-color: #a8a8a8; } QPushButton:focus { border: 1px solid #3c6eb4; }")
                .arg(back.name()));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, back);
        button->setPalette(palette);
    }
}

}  // namespace vrel
