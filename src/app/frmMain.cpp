#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include "app/HotSpot.h"
#include "app/ModDrop.h"
#include "app/ModListView.h"
#include "app/ModOrder.h"
#include "app/ModRemoval.h"
#include "app/ModSetActions.h"
#include "app/SkinImages.h"
#include "app/Startup.h"
#include "app/WindowDrag.h"
#include "app/frmAbout.h"
#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "config/ButtonSounds.h"
#include "config/GamePaths.h"

namespace vrel {
namespace {

// Counts the window busy for as long as it lives.
class BusySpan {
public:
    explicit BusySpan(int& busy) : busy_(busy) { ++busy_; }
    ~BusySpan() { --busy_; }
    BusySpan(const BusySpan&) = delete;
    BusySpan& operator=(const BusySpan&) = delete;

private:
    int& busy_;
};

constexpr int kRefreshDelayMs = 400;

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

    DATList = new ModListView(this);
    rows_ = new ModListModel(
        state_.Mods,
        [this](int row, bool ticked) {
            DATList_ItemCheck(state_, ports_.messages, ports_.sounds, row, ticked);
            KeepTheTicks();
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

    labSet = new QLabel(this);
    labSet->setObjectName(QStringLiteral("labSet"));
    labSet->setAccessibleName(QStringLiteral("Mod set in use"));
    labSet->setGeometry(308, 451, 74, 18);
    labSet->setAlignment(Qt::AlignCenter);
    labSet->setFont(SkinFont(QStringLiteral("Small Fonts"), 9));
    labSet->setStyleSheet(QStringLiteral("color: #7dff9a; background: transparent;"));
    labSet->setAttribute(Qt::WA_TransparentForMouseEvents);
    labSet->hide();

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

    MakeModActions();
    MakeMoveActions();
    MakeSetActions();
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
    connect(cmdPlay, &HotSpot::clicked, this, [this] {
        const BusySpan playing(busy_);
        if (actions_.cmdPlay_Click) {
            actions_.cmdPlay_Click();
        }
    });
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
    actMoveUp = AddListAction("actMoveUp", "Move mod up", QKeySequence(Qt::ALT | Qt::Key_Up),
                              [this] { MoveCurrentMod(-1); });
    actMoveDown =
        AddListAction("actMoveDown", "Move mod down", QKeySequence(Qt::ALT | Qt::Key_Down),
                      [this] { MoveCurrentMod(1); });
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
    StartupContext context{state_.Config, state_.ProgramFolder,  ports_.messages, ports_.lifetime,
                           progress_,     actions_.FixGameFolder};
    // The list is read aside and then taken whole: start-up's messages may repaint the windows.
    ModList mods;
    if (LoadMods(context, mods).Ended) {
        return false;
    }
    rows_->Refill([&] {
        state_.Mods = std::move(mods);
        state_.Sets = ReadModSets(state_.ProgramFolder);
        ApplyStartTicks(state_);
    });
    patchesStamp_ = StampDatFiles(PatchesFolder(state_.ProgramFolder));
    MakePatchesWatch();  // Patches is there now: start-up makes it when missing
    ShowSetInUse();
    // The game's patch comes ticked, with the tick's sound.
    if (state_.Mods.Count() > 0 && state_.Mods.Ticked(1)) {
        PlayHoverSound(state_.Config, ports_.sounds, state_.ProgramFolder);
    }
    setWindowTitle(QString::fromStdString(MainWindowCaption()));
    DATList->setCurrentIndex(rows_->index(0));
    ShowDescription(1);
    ReportDamagedArchives(ports_.messages, state_.Mods);
    ReportSingleDat(ports_.messages, static_cast<std::size_t>(state_.Mods.Count()),
                    state_.ProgramFolder);
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
    PlayClickSound(state_.Config, ports_.sounds, state_.ProgramFolder);
    if (actions_.ShowOptions) {
        actions_.ShowOptions();
    }
}

void frmMain::cmdAbout_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.ProgramFolder);
    frmAbout about(state_.Config, ports_.sounds, ports_.shell, state_.ProgramFolder, this);
    about.exec();
}

void frmMain::cmdExit_Click() {
    PlayClickSound(state_.Config, ports_.sounds, state_.ProgramFolder);
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
    AddMods(dropped);
}

void frmMain::AddMods(const std::vector<std::filesystem::path>& sources) {
    const BusySpan adding(busy_);
    const DropOutcome outcome =
        AddDroppedMods(sources, PatchesFolder(state_.ProgramFolder), ports_.messages, progress_);
    if (!outcome.Added.empty()) {
        RefreshMods(outcome.Added.front());
    }
    ReportDrop(ports_.messages, outcome);
}

void frmMain::AddModFiles() {
    const std::vector<std::string> picked =
        ports_.pickers.PickOpenFiles("Add mod", {{"Mods (*.dat *.zip *.7z)", "*.dat *.zip *.7z"}},
                                     PathToDisplay(PatchesFolder(state_.ProgramFolder)));
    std::vector<std::filesystem::path> sources;
    for (const std::string& file : picked) {
        sources.push_back(DisplayToPath(file));
    }
    if (!sources.empty()) {
        AddMods(sources);
    }
}

void frmMain::AddModFolder() {
    if (const auto folder =
            ports_.pickers.PickFolder("Choose the folder of a mod that comes as loose files")) {
        AddMods({DisplayToPath(*folder)});
    }
}

void frmMain::RemoveCurrentMod() {
    const int row = DATList->currentIndex().row() + 1;
    const BusySpan removing(busy_);
    if (RemoveMod(state_, row, ports_.messages, ports_.shell)) {
        // The row below takes the removed one's place as the current one.
        const int next = row < state_.Mods.Count() ? row + 1 : row - 1;
        RefreshMods(PathToDisplay(state_.Mods.Row(next).Name));
    }
}

std::string frmMain::CurrentModName() const {
    const int current = DATList->currentIndex().row() + 1;
    return current >= 1 && current <= state_.Mods.Count()
               ? PathToDisplay(state_.Mods.Row(current).Name)
               : std::string();
}

void frmMain::SelectModNamed(const std::string& name) {
    int row = 1;
    for (int k = 1; k <= state_.Mods.Count(); ++k) {
        if (PathToDisplay(state_.Mods.Row(k).Name) == name) {
            row = k;
        }
    }
    SelectMod(row);
}

void frmMain::RefreshMods(const std::optional<std::string>& select) {
    const std::string wanted = select ? *select : CurrentModName();
    const std::filesystem::path patches = PatchesFolder(state_.ProgramFolder);
    patchesStamp_ = StampDatFiles(patches);
    // Every mod keeps its tick, new ones come unticked.
    ModList fresh =
        ReadModList(patches, state_.Config.cfgGeneral.LoadModDesc, state_.Mods.Order(), progress_);
    rows_->Refill([&] {
        state_.Mods.TakeKeepingTicks(std::move(fresh));
        FollowSetInUse(state_);
    });
    SelectModNamed(wanted);
    MakePatchesWatch();
}

void frmMain::SelectMod(int row) {
    const QModelIndex item = rows_->index(row - 1);
    DATList->setCurrentIndex(item);
    DATList->scrollTo(item);
    ShowDescription(row);
    ShowMoveActions();
}

bool frmMain::Busy() const {
    return busy_ > 0 || !isVisible() || QApplication::activeModalWidget() != nullptr;
}

void frmMain::RefreshWhenChanged() {
    if (Busy()) {
        RefreshTimer->start();  // again once the window is free
        return;
    }
    if (StampDatFiles(PatchesFolder(state_.ProgramFolder)) != patchesStamp_) {
        RefreshMods();
    }
}

void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Back from a Play or from another window: Patches may have changed meanwhile.
    if (RefreshTimer != nullptr) {
        RefreshTimer->start();
    }
}

void frmMain::MakePatchesWatch() {
    if (PatchesWatch == nullptr) {
        PatchesWatch = new QFileSystemWatcher(this);
        RefreshTimer = new QTimer(this);
        RefreshTimer->setObjectName(QStringLiteral("RefreshTimer"));
        RefreshTimer->setSingleShot(true);
        RefreshTimer->setInterval(kRefreshDelayMs);
        connect(RefreshTimer, &QTimer::timeout, this, &frmMain::RefreshWhenChanged);
        // A copy in progress signals many times: the list is read once it has settled.
        const auto later = [this] { RefreshTimer->start(); };
        connect(PatchesWatch, &QFileSystemWatcher::directoryChanged, this, later);
        connect(PatchesWatch, &QFileSystemWatcher::fileChanged, this, later);
    }
    if (!PatchesWatch->files().isEmpty()) {
        PatchesWatch->removePaths(PatchesWatch->files());
    }
    const std::filesystem::path patches = PatchesFolder(state_.ProgramFolder);
    const QString folder = QString::fromStdU16String(patches.u16string());
    if (PatchesWatch->directories().isEmpty() && std::filesystem::is_directory(patches)) {
        PatchesWatch->addPath(folder);
    }
    QStringList files;
    for (int row = 1; row <= state_.Mods.Count(); ++row) {
        files << QString::fromStdU16String(state_.Mods.Item(row).FullPath.u16string());
    }
    if (!files.isEmpty()) {
        PatchesWatch->addPaths(files);
    }
}

// Add, remove, refresh and open Patches: in the list's context menu and on its keys.
QAction* frmMain::AddListAction(const char* name, const char* text, const QKeySequence& keys,
                                const std::function<void()>& handler) {
    auto* action = new QAction(QString::fromLatin1(text), DATList);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, handler);
    DATList->addAction(action);
    return action;
}

void frmMain::AddListSeparator() {
    auto* separator = new QAction(DATList);
    separator->setSeparator(true);
    DATList->addAction(separator);
}

void frmMain::MakeModActions() {
    actAddMod = AddListAction("actAddMod", "Add mod...", QKeySequence(Qt::Key_Insert),
                              [this] { AddModFiles(); });
    actAddModFolder =
        AddListAction("actAddModFolder", "Add mod folder...", {}, [this] { AddModFolder(); });
    actRemoveMod = AddListAction("actRemoveMod", "Remove mod", QKeySequence(Qt::Key_Delete),
                                 [this] { RemoveCurrentMod(); });
    actRefresh =
        AddListAction("actRefresh", "Refresh", QKeySequence(Qt::Key_F5), [this] { RefreshMods(); });
    actOpenPatches = AddListAction("actOpenPatches", "Open the Patches folder", {}, [this] {
        ports_.shell.OpenFile(PatchesFolder(state_.ProgramFolder));
    });
    AddListSeparator();
}

void frmMain::MakeSetActions() {
    AddListSeparator();
    actSaveSet =
        AddListAction("actSaveSet", "Save the ticks as a mod set...", {}, [this] { SaveSet(); });
    SwitchSetMenu = new QMenu(QStringLiteral("Switch to the mod set"), DATList);
    SwitchSetMenu->setObjectName(QStringLiteral("SwitchSetMenu"));
    SwitchSetMenu->setAccessibleName(SwitchSetMenu->title());
    connect(SwitchSetMenu, &QMenu::aboutToShow, this, &frmMain::FillSwitchSetMenu);
    DATList->addAction(SwitchSetMenu->menuAction());
    actRenameSet =
        AddListAction("actRenameSet", "Rename a mod set...", {}, [this] { RenameSet(); });
    actDeleteSet =
        AddListAction("actDeleteSet", "Delete a mod set...", {}, [this] { DeleteSet(); });
}

void frmMain::FillSwitchSetMenu() {
    SwitchSetMenu->clear();
    for (const ModSet& set : state_.Sets.Sets) {
        QAction* action = SwitchSetMenu->addAction(QString::fromStdString(set.Name));
        action->setCheckable(true);
        action->setChecked(set.Name == state_.Sets.InUse);
        connect(action, &QAction::triggered, this, [this, name = set.Name] { SwitchToSet(name); });
    }
}

void frmMain::ShowSetInUse() {
    const bool inUse = !state_.Sets.InUse.empty();
    const QString name = QString::fromStdString(state_.Sets.InUse);
    labSet->setText(labSet->fontMetrics().elidedText(name, Qt::ElideRight, labSet->width()));
    labSet->setToolTip(QStringLiteral("Mod set: ") + name);
    labSet->setAccessibleDescription(name);
    labSet->setVisible(inUse);
    DescScroll->setFixedHeight(inUse ? 245 : 265);
    setWindowTitle(QString::fromStdString(MainWindowCaption()) +
                   (inUse ? QStringLiteral(" - ") + name : QString()));
    const bool any = !state_.Sets.Sets.empty();
    SwitchSetMenu->setEnabled(any);
    actRenameSet->setEnabled(any);
    actDeleteSet->setEnabled(any);
}

void frmMain::KeepTheTicks() {
    if (const auto kept = KeepTicks(state_); !kept && !setsFailureShown_) {
        setsFailureShown_ = true;
        ReportSetsNotKept(ports_.messages, kept.error());
    }
}

bool frmMain::AskAboutSets(const std::string& question) {
    return ports_.messages.Show({.text = question,
                                 .title = "Mod sets",
                                 .buttons = MessageButtons::YesNo,
                                 .icon = MessageIcon::Question,
                                 .defaultAnswer = MessageAnswer::No}) == MessageAnswer::Yes;
}

void frmMain::SaveSet() {
    const std::optional<std::string> name =
        ports_.pickers.AskText("Name of the mod set for the mods ticked now:", state_.Sets.InUse);
    if (!name) {
        return;
    }
    if (!IsModSetName(*name)) {
        ShowNotice(ports_.messages,
                   "A mod set's name is one line that neither starts nor ends with a blank "
                   "and does not start with [, ; or #.");
        return;
    }
    if (*name != state_.Sets.InUse && state_.Sets.Find(*name) != nullptr &&
        !AskAboutSets("There is a mod set named \"" + *name +
                      "\" already. Replace it with the mods ticked now?")) {
        return;
    }
    if (const auto saved = SaveModSet(state_, *name); !saved) {
        ReportSetsNotKept(ports_.messages, saved.error());
    }
    ShowSetInUse();
}

void frmMain::SwitchToSet(const std::string& name) {
    const std::string selected = CurrentModName();
    SwitchOutcome outcome;
    rows_->Refill([&] { outcome = SwitchModSet(state_, name); });
    SelectModNamed(selected);
    ShowSetInUse();
    ReportMissingSetMods(ports_.messages, name, outcome.Missing);
    if (!outcome.Kept) {
        ReportSetsNotKept(ports_.messages, outcome.Kept.error());
    }
}

std::optional<std::string> frmMain::PickSet(const char* question) {
    const auto& sets = state_.Sets.Sets;
    if (sets.size() == 1) {
        return sets.front().Name;
    }
    std::vector<std::string> names;
    std::size_t inUse = 0;
    for (const ModSet& set : sets) {
        if (set.Name == state_.Sets.InUse) {
            inUse = names.size();
        }
        names.push_back(set.Name);
    }
    if (names.empty()) {
        return std::nullopt;
    }
    const auto picked = ports_.pickers.PickOne(question, names, inUse);
    return picked ? std::optional<std::string>(names[*picked]) : std::nullopt;
}

void frmMain::RenameSet() {
    const auto from = PickSet("Which mod set do you want to rename?");
    if (!from) {
        return;
    }
    const auto to = ports_.pickers.AskText("New name of the mod set \"" + *from + "\":", *from);
    if (!to || *to == *from) {
        return;
    }
    if (!IsModSetName(*to) || state_.Sets.Find(*to) != nullptr) {
        ShowNotice(ports_.messages,
                   "That name cannot be used: a mod set's name is one line of its own, not "
                   "starting or ending with a blank, and no other set may have it.");
        return;
    }
    if (const auto renamed = RenameModSet(state_, *from, *to); !renamed) {
        ReportSetsNotKept(ports_.messages, renamed.error());
    }
    ShowSetInUse();
}

void frmMain::DeleteSet() {
    const auto name = PickSet("Which mod set do you want to delete?");
    if (!name || !AskAboutSets("Delete the mod set \"" + *name +
                               "\"? The mods and their ticks stay as they are.")) {
        return;
    }
    if (const auto deleted = DeleteModSet(state_, *name); !deleted) {
        ReportSetsNotKept(ports_.messages, deleted.error());
    }
    ShowSetInUse();
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
    KeepTheTicks();
}

void frmMain::ShowMoveActions() {
    const int current = DATList->currentIndex().row() + 1;
    actMoveUp->setEnabled(state_.Mods.StepTarget(current, -1).has_value());
    actMoveDown->setEnabled(state_.Mods.StepTarget(current, 1).has_value());
    actRemoveMod->setEnabled(CanRemoveMod(state_, current));
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
