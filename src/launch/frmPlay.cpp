#include "launch/frmPlay.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "base/AnsiText.h"
#include "launch/ProcessMonitor.h"

namespace vrel {
namespace {

constexpr const char* kEmergencyWarning =
    "Are you really sure you want to do this?\r\rFallout 2 is still running on this computer, if it crashed or hanged out, exitting Vrel is *NOT* gonna change in *ANY* way the current state of the game. This program was *NOT* made in any way it could interfere with the normal execution of Fallout 1 or 2! If the game isn't responding, try shutting it down using Ctrl+Alt+Del, Vrel will detect its finalization anyway.\r\rAnd be warned, quitting this application now could make it to run in erroneous ways in future executions. Use this *emergency* option at your own risk.";

// A small terminal with a green screen, the waiting window's own picture.
QPixmap TerminalPicture() {
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 36), 2));
    painter.setBrush(QColor(118, 112, 96));
    painter.drawRoundedRect(QRectF(4, 6, 56, 46), 6, 6);
    painter.setBrush(QColor(20, 48, 20));
    painter.drawRoundedRect(QRectF(11, 12, 42, 30), 4, 4);
    painter.setPen(QPen(QColor(120, 255, 120), 2));
    for (int line = 0; line < 3; ++line) {
        painter.drawLine(QPointF(16, 19 + line * 8),
                         QPointF(16 + (line == 2 ? 10 : 28 - line * 6), 19 + line * 8));
    }
    painter.setPen(QPen(QColor(40, 40, 36), 2));
    painter.setBrush(QColor(90, 86, 74));
    painter.drawRect(QRectF(22, 52, 20, 6));
    return picture;
}

std::string DescribeStartFailure(const StartFailure& failure) {
    if (failure.Kind == StartProblem::NoWine) {
        return "it is a Windows program and no Wine was found: install Wine or name the Wine to use in VREL_WINE";
    }
    return ErrorToDisplay(failure.Error);
}

}  // namespace

frmPlay::frmPlay(ProgramState& state, Ports& ports, int pollInterval, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      state_(state),
      ports_(ports) {
    setObjectName(QStringLiteral("frmPlay"));
    setWindowTitle(QStringLiteral("Playing Fallout!"));
    setFixedSize(360, 112);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);

    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAccessibleName(QStringLiteral("Game running"));
    Picture2->setGeometry(12, 12, 64, 64);
    Picture2->setPixmap(TerminalPicture());

    Label1 = new QLabel(
        QStringLiteral("When you finish playing Fallout, Vrel will be automatically re-enabled"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Waiting for the game"));
    Label1->setGeometry(88, 12, 260, 48);
    Label1->setWordWrap(true);

    btnEExit = new QPushButton(QStringLiteral("Emergency Exit"), this);
    btnEExit->setObjectName(QStringLiteral("btnEExit"));
    btnEExit->setAccessibleName(QStringLiteral("Emergency Exit"));
    btnEExit->setGeometry(228, 76, 120, 26);
    btnEExit->setAutoDefault(false);
    connect(btnEExit, &QPushButton::clicked, this, &frmPlay::btnEExit_Click);

    PROCESSTimer = new QTimer(this);
    PROCESSTimer->setInterval(pollInterval);
    connect(PROCESSTimer, &QTimer::timeout, this, &frmPlay::PROCESSTimer_Timer);
}

void frmPlay::Run(const std::filesystem::path& gameProgram) {
    if (Form_Load(gameProgram)) {
        exec();
    }
}

bool frmPlay::Form_Load(const std::filesystem::path& gameProgram) {
    // The game runs in its own folder; our own current folder is left as it is.
    const auto started = ports_.processes.Start(gameProgram, gameProgram.parent_path());
    if (!started) {
        std::string text = "Fallout 2 could not be started from " + PathToDisplay(gameProgram) +
                           ": " + DescribeStartFailure(started.error()) + ".";
        // Play removes what it unpacked only while DeleteDataFiles is on.
        if (state_.Config.cfgGeneral.DeleteDataFiles) {
            text += "\r\rThe mod files are removed again.";
        }
        ports_.messages.Show({.text = text,
                              .title = "Can't begin the game!",
                              .buttons = MessageButtons::Ok,
                              .icon = MessageIcon::Critical});
        gameEnded_ = true;
        return false;
    }
    GamePID = *started;
    PROCESSTimer->start();
    return true;
}

void frmPlay::PROCESSTimer_Timer() {
    if (!IsProcessRunning(ports_.processes, GamePID)) {
        PROCESSTimer->stop();
        gameEnded_ = true;
        accept();
    }
}

void frmPlay::btnEExit_Click() {
    const MessageAnswer answer = ports_.messages.Show({.text = kEmergencyWarning,
                                                       .title = "Warning!!",
                                                       .buttons = MessageButtons::YesNo,
                                                       .icon = MessageIcon::Critical,
                                                       .defaultAnswer = MessageAnswer::No});
    if (answer == MessageAnswer::Yes) {
        ports_.lifetime.EndProgram();
    }
}

void frmPlay::closeEvent(QCloseEvent* event) {
    // While the game runs only the emergency exit ends the wait.
    if (gameEnded_) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmPlay::reject() {
    if (gameEnded_) {
        QDialog::reject();
    }
}

}  // namespace vrel
