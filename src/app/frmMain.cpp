#include "app/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include "app/HotSpot.h"
#include "app/ModDrop.h"
#include "app/ModListView.h"
#include "app/ModOrder.h"
#include "app/SkinImages.h"
#include "app/Startup.h"
#include "app/WindowDrag.h"
#include "app/frmAbout.h"
#include "base/PathHelpers.h"
#include "config/ButtonSounds.h"
#include "config/GamePaths.h"

namespace vrel {
namespace {

void ShowNotice(MessageBoxPort& messages, const char* text) {
    messages.Show({.text = text,
                   .title = "Vrel",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Information});
}

}  // namespace

frmMain::frmMain(ProgramState& state, Ports& ports, ProgressPort& progress, QWidget* parent,
                 MainWindowActions actions)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      ports_(ports),
      progress_(progress),
      actions_(std::move(actions)),
      background_(SkinPixmap(QStringLiteral("main"), QSize(400, 517))),
      listBackground_(SkinPixmap(QStringLiteral("list"), QSize(250, 395))) {
    setObjectName(QStringLiteral("frmMain"));
    setAccessibleName(QStringLiteral("Vrel"));
    setFixedSize(400, 514);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(background);
    if (!actions_.cmdPlay_Click) {
        actions_.cmdPlay_Click = [this] {
            ShowNotice(ports_.messages, "Playing is not available in this build of Vrel yet.");
        };
    }
    if (!actions_.ShowOptions) {
        actions_.ShowOptions = [this] {
            ShowNotice(ports_.messages, "The Options are not available in this build of Vrel yet.");
        };
    }

    DATList = new ModListView(this);
    rows_ = new ModListModel(
        state_.Mods,
        [this](int row, bool ticked) {
            DATList_ItemCheck(state_, ports_.messages, ports_.sounds, row, ticked);
        },
        this);
    DATList->setModel(rows_);
    DATList->setObjectName(QStringLiteral("DATList"));
    DATList->setAccessibleName(QStringLiteral("Mods"));
    DATList->setAccessibleDescription(
        QStringLiteral("When two ticked mods hold the same file, the lower one wins. Alt+Up and "
                       "Alt+Down move the current mod."));
    DATList->setGeometry(27, 74, 250, 395);

    // The description panel scrolls, so that a long description can be read to its end.
    DescScroll = new QScrollArea(this);
    DescScroll->setObjectName(QStringLiteral("DescScroll"));
    DescScroll->setAccessibleName(QStringLiteral("Mod description"));
    DescScroll->setGeometry(308, 204, 74, 265);
    DescScroll->setFrameShape(QFrame::NoFrame);
    DescScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DescScroll->setWidgetResizable(true);
    DescScroll->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget "
                       "{ background: transparent; }"));
    labDesc = new QLabel;
    labDesc->setObjectName(QStringLiteral("labDesc"));
    labDesc->setAccessibleName(QStringLiteral("Mod description"));
    labDesc->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labDesc->setWordWrap(true);
    labDesc->setFont(SkinFont(QStringLiteral("Small Fonts"), 9));
    labDesc->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    DescScroll->setWidget(labDesc);

    LabelShow = new QLabel(QString::fromUtf8(credits_.Caption()), this);
    LabelShow->setObjectName(QStringLiteral("LabelShow"));
    LabelShow->setAccessibleName(QStringLiteral("Credits"));
    LabelShow->setGeometry(36, 480, 237, 13);
    LabelShow->setAlignment(Qt::AlignCenter);
    LabelShow->setFont(SkinFont(QStringLiteral("Tahoma"), 11));
    LabelShow->setAttribute(Qt::WA_TransparentForMouseEvents);

    MakeButtons();

    connect(DATList, &QListView::clicked, this, &frmMain::DATList_ItemClick);
    connect(DATList, &ModListView::DroppedBefore, this, &frmMain::DATList_DroppedBefore);
    // The description follows the current row however it moved: a click, the arrow keys, Home
    // and End, a move of the mod.
    connect(DATList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                ShowMoveActions();
                ShowDescription(current.row() + 1);
            });

    MakeMoveActions();
    ShowMoveActions();

    Drag = new WindowDrag(this);
    Drag->MoveFromPress(this);
    Drag->MoveFromPress(labDesc);
    Drag->MoveFromDrag(DATList->viewport(),
                       [this](const QPoint& point) { return DATList->DragsRowAt(point); });

    MakeCreditTimers();
    ShowCredit();
}

// The four buttons are hot spots of the skin, each with the picture shown while the pointer is over
// it.
void frmMain::MakeButtons() {
    imghover_btnplay = HoverImage("imghover_btnplay", "hover_play", {289, 74}, this);
    imghover_btnoptions = HoverImage("imghover_btnoptions", "hover_options", {289, 104}, this);
    imghover_btnabout = HoverImage("imghover_btnabout", "hover_about", {289, 134}, this);
    imghover_btnexit = HoverImage("imghover_btnexit", "hover_exit", {289, 164}, this);

    const QCursor pointer = SkinPointer();
    cmdPlay = new HotSpot(QStringLiteral("Play"), QRect(288, 72, 97, 23), this);
    cmdOptions = new HotSpot(QStringLiteral("Options"), QRect(288, 104, 93, 25), this);
    cmdAbout = new HotSpot(QStringLiteral("About"), QRect(288, 132, 93, 21), this);
    cmdExit = new HotSpot(QStringLiteral("Exit"), QRect(288, 164, 93, 25), this);
    const std::pair<HotSpot*, MainButton> buttons[] = {{cmdPlay, MainButton::Play},
                                                       {cmdOptions, MainButton::Options},
                                                       {cmdAbout, MainButton::About},
                                                       {cmdExit, MainButton::Exit}};
    for (const auto& [button, role] : buttons) {
        button->setObjectName(QStringLiteral("cmd") + button->accessibleName());
        button->setCursor(pointer);
        connect(button, &HotSpot::PointerMoved, this, [this, which = role] { Hover(which); });
    }
    connect(cmdPlay, &HotSpot::clicked, this, [this] { actions_.cmdPlay_Click(); });
    connect(cmdOptions, &HotSpot::clicked, this, &frmMain::cmdOptions_Click);
    connect(cmdAbout, &HotSpot::clicked, this, &frmMain::cmdAbout_Click);
    connect(cmdExit, &HotSpot::clicked, this, &frmMain::cmdExit_Click);
    setTabOrder(DATList, cmdPlay);
    setTabOrder(cmdPlay, cmdOptions);
    setTabOrder(cmdOptions, cmdAbout);
    setTabOrder(cmdAbout, cmdExit);
}

// Alt+Up and Alt+Down, also in the list's context menu.
void frmMain::MakeMoveActions() {
    const std::tuple<QAction**, const char*, const char*, QKeyCombination, int> moves[] = {
        {&actMoveUp, "actMoveUp", "Move mod up", Qt::ALT | Qt::Key_Up, -1},
        {&actMoveDown, "actMoveDown", "Move mod down", Qt::ALT | Qt::Key_Down, 1}};
    for (const auto& [action, name, text, keys, step] : moves) {
        *action = new QAction(QString::fromLatin1(text), DATList);
        (*action)->setObjectName(QString::fromLatin1(name));
        (*action)->setShortcut(QKeySequence(keys));
        (*action)->setShortcutContext(Qt::WidgetShortcut);
        connect(*action, &QAction::triggered, this, [this, by = step] { MoveCurrentMod(by); });
        DATList->addAction(*action);
    }
    DATList->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmMain::MakeCreditTimers() {
    FadeTimer = new QTimer(this);
    FadeTimer->setObjectName(QStringLiteral("FadeTimer"));
    FadeTimer->setInterval(10);
    ShowTimer = new QTimer(this);
    ShowTimer->setObjectName(QStringLiteral("ShowTimer"));
    ShowTimer->setInterval(2000);
    FadeTimer2 = new QTimer(this);
    FadeTimer2->setObjectName(QStringLiteral("FadeTimer2"));
    FadeTimer2->setInterval(10);
    connect(FadeTimer, &QTimer::timeout, this, &frmMain::FadeTimer_Timer);
    connect(ShowTimer, &QTimer::timeout, this, &frmMain::ShowTimer_Timer);
    connect(FadeTimer2, &QTimer::timeout, this, &frmMain::FadeTimer2_Timer);
}

bool frmMain::Form_Load() {
    hide();
    StartupContext context{state_.Config, state_.programFolder,  ports_.messages, ports_.lifetime,
                           progress_,     actions_.FixGameFolder};
    // The list is read aside and then taken whole: start-up's messages may repaint the windows.
    ModList mods;
    if (LoadMods(context, mods).Ended) {
        return false;
    }
    rows_->Refill([&] { state_.Mods = std::move(mods); });
    // The game's patch comes ticked, with the tick's sound.
    if (state_.Mods.Count() > 0 && state_.Mods.Ticked(1)) {
        PlayHoverSound(state_.Config, ports_.sounds, state_.programFolder);
    }
    setWindowTitle(QString::fromStdString(MainWindowCaption()));
    DATList->setCurrentIndex(rows_->index(0));
    ReportDamagedArchives(ports_.messages, state_.Mods);
    ReportSingleDat(ports_.messages, static_cast<std::size_t>(state_.Mods.Count()),
                    state_.programFolder);
    progress_.Hide();
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());
    show();
    return true;
}

void frmMain::Hover(MainButton button) {
    HoverSwitch(hover_, button, state_, ports_.sounds);
    ShowHoverImages();
}

void frmMain::ShowHoverImages() {
    imghover_btnplay->setVisible(hover_.Visible(MainButton::Play));
    imghover_btnoptions->setVisible(hover_.Visible(MainButton::Options));
    imghover_btnabout->setVisible(hover_.Visible(MainButton::About));
    imghover_btnexit->setVisible(hover_.Visible(MainButton::Exit));
}

void frmMain::mouseMoveEvent(QMouseEvent* event) {
    hover_.HideAll();
    ShowHoverImages();
    QWidget::mouseMoveEvent(event);
}

void frmMain::cmdOptions_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.programFolder);
    actions_.ShowOptions();
}

void frmMain::cmdAbout_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.programFolder);
    frmAbout about(state_.Config, ports_.sounds, ports_.shell, state_.programFolder, this);
    about.exec();
}

void frmMain::cmdExit_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.programFolder);
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    ports_.lifetime.EndProgram();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    std::vector<std::filesystem::path> dropped;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            dropped.emplace_back(url.toLocalFile().toStdU16String());
        }
    }
    event->acceptProposedAction();
    const DropOutcome outcome =
        AddDroppedMods(dropped, PatchesFolder(state_.programFolder), ports_.messages, progress_);
    if (!outcome.Added.empty()) {
        // Every mod keeps its tick, new ones come unticked.
        ModList fresh =
            ReadModList(PatchesFolder(state_.programFolder), state_.Config.cfgGeneral.LoadModDesc,
                        state_.Mods.Order(), progress_);
        rows_->Refill([&] { state_.Mods.TakeKeepingTicks(std::move(fresh)); });
        DATList->setCurrentIndex(rows_->index(0));
        ShowDescription(1);
        ShowMoveActions();
    }
    ReportDrop(ports_.messages, outcome);
}

void frmMain::DATList_ItemClick(const QModelIndex& index) {
    ShowDescription(index.row() + 1);
}

void frmMain::ShowDescription(int position) {
    if (position < 1 || position > state_.Mods.Count()) {
        return;
    }
    const QString text = rows_->Description(position);
    labDesc->setText(text);
    // A label's text is not read out by every screen reader: its description carries it too.
    labDesc->setAccessibleDescription(text);
}

void frmMain::DATList_DroppedBefore(int from, int before) {
    MoveModRow(from + 1, state_.Mods.DropTarget(from + 1, before + 1));
}

void frmMain::MoveCurrentMod(int step) {
    const int from = DATList->currentIndex().row() + 1;
    MoveModRow(from, state_.Mods.StepTarget(from, step));
}

// The mod keeps its tick and shows its description, as a click on it does.
void frmMain::MoveModRow(int from, std::optional<int> to) {
    if (!to) {
        return;
    }
    Expected<void, PlaceFailure> moved;
    rows_->MoveRow(from, *to, [&] { moved = MoveMod(state_, from, *to); });
    const QModelIndex item = rows_->index(*to - 1);
    DATList->setCurrentIndex(item);
    DATList->scrollTo(item);
    ShowDescription(*to);
    ShowMoveActions();  // the current row may have moved with the mod, which Qt does not signal
    if (!moved) {
        ReportOrderNotKept(ports_.messages, moved.error());
    }
}

void frmMain::ShowMoveActions() {
    const int current = DATList->currentIndex().row() + 1;
    actMoveUp->setEnabled(state_.Mods.StepTarget(current, -1).has_value());
    actMoveDown->setEnabled(state_.Mods.StepTarget(current, 1).has_value());
}

void frmMain::FadeTimer_Timer() {
    credits_.FadeTimer_Timer();
    ShowCredit();
}

void frmMain::ShowTimer_Timer() {
    credits_.ShowTimer_Timer();
    ShowCredit();
}

void frmMain::FadeTimer2_Timer() {
    credits_.FadeTimer2_Timer();
    ShowCredit();
}

void frmMain::ShowCredit() {
    LabelShow->setText(QString::fromStdString(credits_.Caption()));
    QPalette colours = LabelShow->palette();
    colours.setColor(QPalette::WindowText, ColourFromBgr(credits_.ForeColor()));
    LabelShow->setPalette(colours);
    const std::pair<QTimer*, bool> timers[] = {{FadeTimer, credits_.FadeTimerEnabled()},
                                               {ShowTimer, credits_.ShowTimerEnabled()},
                                               {FadeTimer2, credits_.FadeTimer2Enabled()}};
    for (const auto& [timer, enabled] : timers) {
        if (enabled && !timer->isActive()) {
            timer->start();
        } else if (!enabled && timer->isActive()) {
            timer->stop();
        }
    }
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    // The list is transparent: its screen is painted here so that it stays put while the list
    // scrolls.
    painter.drawPixmap(DATList->geometry().topLeft(), listBackground_);
}

}  // namespace vrel
