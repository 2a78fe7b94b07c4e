#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/CreditShow.h"
#include "app/MainWindowRules.h"
#include "app/ModListModel.h"
#include "app/ModListView.h"
#include "app/Startup.h"
#include "platform/Ports.h"
#include "platform/ProgressPort.h"
#include "state/ModListing.h"
#include "state/ProgramState.h"

class QAction;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;

namespace vrel {

class HotSpot;
class WindowDrag;

// What the main window's buttons start in other parts of the program (the program wires them; a
// window made for a test may leave them empty).
struct MainWindowActions {
    std::function<void()> cmdPlay_Click;
    std::function<void()> ShowOptions;
    // Start-up's window to choose the game folder in (see StartupContext); none ends start-up.
    std::function<bool(const std::string& reason)> FixGameFolder;
};

// The main window: the skinned panel with the mod list, the four buttons, the description of the
// last clicked mod and the fading credit line. Closing it in any way ends the program.
class frmMain final : public QWidget {
    Q_OBJECT

public:
    frmMain(ProgramState& state, Ports& ports, ProgressPort& progress, QWidget* parent = nullptr,
            MainWindowActions actions = {});

    // Start-up: reads the mods into the mod list, then shows the window centred on the screen.
    // False when the program ended instead.
    bool Form_Load();

    ModListView* DATList = nullptr;  // a view of the program state's mod list
    // Alt+Up and Alt+Down on the list, also in its context menu: the current mod one row up or
    // down, for keyboard and screen-reader users.
    QAction* actMoveUp = nullptr;
    QAction* actMoveDown = nullptr;
    // The list's context menu and keys for managing the mods in Patches.
    QAction* actAddMod = nullptr;        // Insert: archives picked in a file dialog
    QAction* actAddModFolder = nullptr;  // a mod as loose files, picked as a folder
    QAction* actRemoveMod = nullptr;     // Delete
    QAction* actRefresh = nullptr;       // F5
    QAction* actOpenPatches = nullptr;
    // The named mod sets: save the ticks as one, switch to one (its own menu), rename, delete.
    QAction* actSaveSet = nullptr;
    QMenu* SwitchSetMenu = nullptr;
    QAction* actRenameSet = nullptr;
    QAction* actDeleteSet = nullptr;
    QScrollArea* DescScroll = nullptr;  // holds labDesc
    QLabel* labDesc = nullptr;
    QLabel* labSet = nullptr;  // the mod set in use, under the description
    // Patches is watched while the window shows, so a mod copied in or deleted by hand shows.
    QFileSystemWatcher* PatchesWatch = nullptr;
    QTimer* RefreshTimer = nullptr;
    QLabel* LabelShow = nullptr;
    HotSpot* cmdPlay = nullptr;
    HotSpot* cmdOptions = nullptr;
    HotSpot* cmdAbout = nullptr;
    HotSpot* cmdExit = nullptr;
    QLabel* imghover_btnplay = nullptr;
    QLabel* imghover_btnoptions = nullptr;
    QLabel* imghover_btnabout = nullptr;
    QLabel* imghover_btnexit = nullptr;
    QTimer* FadeTimer = nullptr;
    QTimer* ShowTimer = nullptr;
    QTimer* FadeTimer2 = nullptr;
    WindowDrag* Drag = nullptr;

    void FadeTimer_Timer();
    void ShowTimer_Timer();
    void FadeTimer2_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MakeButtons();
    void MakeMoveActions();
    void MakeCreditTimers();
    void MakeModActions();
    // An entry of the list's context menu with its keys, which work while the list has the focus.
    QAction* AddListAction(const char* name, const char* text, const QKeySequence& keys,
                           const std::function<void()>& handler);
    void AddListSeparator();
    void MakeSetActions();
    void MakePatchesWatch();
    void AddMods(const std::vector<std::filesystem::path>& sources);
    void AddModFiles();
    void AddModFolder();
    void RemoveCurrentMod();
    // Reads Patches anew, keeping every mod's tick and the order; the mod `select` (by its file
    // name), else the current one, is made current and shown.
    void RefreshMods(const std::optional<std::string>& select = std::nullopt);
    void RefreshWhenChanged();
    void SelectMod(int row);
    // The current mod's archive name, and the mod of that name made current (else the patch).
    std::string CurrentModName() const;
    void SelectModNamed(const std::string& name);
    // A Yes/No question about the mod sets, No by default: true for Yes.
    bool AskAboutSets(const std::string& question);
    void SaveSet();
    void SwitchToSet(const std::string& name);
    void FillSwitchSetMenu();
    std::optional<std::string> PickSet(const char* question);
    void RenameSet();
    void DeleteSet();
    void ShowSetInUse();
    void KeepTheTicks();
    // Whether the window does something of its own now (a drop, a Play), when the list must not
    // be read anew under it.
    bool Busy() const;
    void Hover(MainButton button);
    void ShowHoverImages();
    void cmdOptions_Click();
    void cmdAbout_Click();
    void cmdExit_Click();
    void DATList_ItemClick(const QModelIndex& index);
    void DATList_DroppedBefore(int from, int before);
    void MoveCurrentMod(int step);
    void MoveModRow(int from, std::optional<int> to);
    void ShowMoveActions();
    void ShowDescription(int position);
    void ShowCredit();

    ProgramState& state_;
    Ports& ports_;
    ProgressPort& progress_;
    MainWindowActions actions_;
    QPixmap background_;
    QPixmap listBackground_;
    HoverImages hover_;
    CreditShow credits_;
    ModListModel* rows_ = nullptr;  // DATList's rows: the mod list as Qt shows it
    ListingStamp patchesStamp_;     // Patches as the list was last read from it
    int busy_ = 0;
    bool setsFailureShown_ = false;  // a failure to keep the ticks is told once a run
};

}  // namespace vrel
