#include "app/frmMain.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>

#include "app/Startup.h"
#include "archive/AnsiText.h"

namespace vrel {

frmMain::frmMain(ProgramState& state, Ports& ports, ProgressPort& progress, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), state_(state), ports_(ports), progress_(progress) {
    setObjectName(QStringLiteral("frmMain"));
    setFixedSize(400, 514);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(background);

    QFont listFont(QStringLiteral("Tahoma"));
    listFont.setPointSizeF(8.25);
    listFont.setBold(true);

    DATList = new QListWidget(this);
    DATList->setObjectName(QStringLiteral("DATList"));
    DATList->setAccessibleName(QStringLiteral("Mods"));
    DATList->setGeometry(27, 74, 250, 395);
    DATList->setFont(listFont);

    labDesc = new QLabel(this);
    labDesc->setObjectName(QStringLiteral("labDesc"));
    labDesc->setAccessibleName(QStringLiteral("Mod description"));
    labDesc->setGeometry(308, 204, 74, 265);
    labDesc->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labDesc->setWordWrap(true);

    connect(DATList, &QListWidget::itemChanged, this, &frmMain::DATList_ItemCheck);
    connect(DATList, &QListWidget::itemClicked, this, &frmMain::DATList_ItemClick);
}

bool frmMain::Form_Load() {
    hide();
    state_.LoadingList = true;
    StartupContext context{state_.Config, state_.programFolder, ports_.messages, ports_.lifetime,
                           progress_};
    const StartupResult result = LoadMods(context, state_.FalloutDats);
    if (result.Ended) {
        return false;
    }
    for (const ModRow& row : result.Rows) {
        auto* item = new QListWidgetItem(QString::fromLocal8Bit(row.Name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        DATList->addItem(item);
        if (row.Ticked) {
            item->setCheckState(Qt::Checked);
        }
    }
    setWindowTitle(QString::fromStdString(MainWindowCaption()));
    DATList->setCurrentRow(0);
    ReportDamagedArchives(ports_.messages, result.Damaged);
    ReportSingleDat(ports_.messages, result.Rows.size(), state_.programFolder);
    progress_.Hide();
    show();
    state_.LoadingList = false;
    return true;
}

void frmMain::DATList_ItemCheck(QListWidgetItem* item) {
    if (state_.LoadingList) {
        return;
    }
    const int position = DATList->row(item) + 1;
    state_.FalloutDats.Item(position).Selected = item->checkState() == Qt::Checked;
}

void frmMain::DATList_ItemClick(QListWidgetItem* item) {
    const int position = DATList->row(item) + 1;
    labDesc->setText(QString::fromStdString(AnsiToUtf8(state_.FalloutDats.Item(position).ModDesc)));
}

}  // namespace vrel
