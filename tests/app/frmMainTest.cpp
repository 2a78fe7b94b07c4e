#include "app/frmMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "DatImage.h"
#include "Fakes.h"
#include "PointerMoves.h"
#include "TempFolder.h"
#include "app/HotSpot.h"
#include "app/ModListView.h"
#include "app/ModOrder.h"
#include "app/ModRemoval.h"
#include "app/ProgForm.h"
#include "app/Startup.h"
#include "app/WindowDrag.h"
#include "app/frmAbout.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "base/NameCase.h"
#ifdef VREL_TEST_PACKED
#include "PackedArchive.h"
#endif

namespace vrel {
namespace {

using testing::Bytes;
using testing::MovePointer;
using testing::WriteFile;

QModelIndex Index(const frmMain& window, int row) {
    return window.DATList->model()->index(row, 0);
}

QRect RowRect(const frmMain& window, int row) {
    return window.DATList->visualRect(Index(window, row));
}

// The list's rows as the player sees them: each one's text and whether it is ticked.
std::vector<std::pair<QString, bool>> ShownRows(const frmMain& window) {
    std::vector<std::pair<QString, bool>> rows;
    for (int row = 0; row < window.DATList->model()->rowCount(); ++row) {
        rows.emplace_back(Index(window, row).data().toString(),
                          Index(window, row).data(Qt::CheckStateRole) == Qt::Checked);
    }
    return rows;
}

using ModRows = std::vector<std::pair<QString, bool>>;

class frmMainTest : public ::testing::Test {
protected:
    frmMainTest() {
        state_.ProgramFolder = folder_ / "program";
        state_.Config.cfgPath.Fallout2 = (folder_ / "game").string();
        state_.Config.cfgGeneral.LoadModDesc = true;
        std::filesystem::create_directories(folder_ / "game");
        WriteFile(state_.ProgramFolder / "Patches" / "a.dat",
                  BuildDatImage({{.Name = "amoddesc.qrd", .Content = Bytes("First mod")}}));
        WriteFile(state_.ProgramFolder / "Patches" / "Patch000.DAT", "x");
        WriteFile(state_.ProgramFolder / "Patches" / "z.dat",
                  BuildDatImage({{.Name = "z.txt", .Content = Bytes("z")}}));
    }

    testing::TempFolder folder_;
    ProgramState state_;
    testing::FakePorts fakes_;
    Ports& ports_ = fakes_.ports;
    ProgForm progress_;
};

// The main window loaded with the three mods, sounds on.
class LoadedMainTest : public frmMainTest {
protected:
    LoadedMainTest() {
        state_.Config.cfgGeneral.Sound = true;
        EXPECT_TRUE(window_.Form_Load());
        fakes_.sounds.played.clear();  // the patch's tick at start-up
    }

    std::vector<bool> HoverImagesShown() const {
        return {window_.imghover_btnplay->isVisible(), window_.imghover_btnoptions->isVisible(),
                window_.imghover_btnabout->isVisible(), window_.imghover_btnexit->isVisible()};
    }
    void ClickCheckBox(int row) {
        const QRect rect = RowRect(window_, row);
        QTest::mouseClick(window_.DATList->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + 8, rect.center().y()));
    }
    // Drags row `from` and drops it on the upper or the lower half of row `onto`, as the mouse
    // does: the list's own drag data, entering, moving and dropping on its viewport.
    void DragRow(int from, int onto, bool lowerHalf) {
        QListView* list = window_.DATList;
        const std::unique_ptr<QMimeData> data(
            list->model()->mimeData({list->model()->index(from, 0)}));
        ASSERT_NE(data, nullptr);
        const QRect rect = RowRect(window_, onto);
        const QPoint at(rect.center().x(), lowerHalf ? rect.bottom() - 1 : rect.top() + 1);
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &drop);
    }
    void PressKeys(int row, Qt::Key key) {
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        window_.DATList->setCurrentIndex(Index(window_, row));
        window_.DATList->setFocus();
        QTest::keyClick(window_.DATList, key, Qt::AltModifier);
    }
    std::vector<std::pair<QString, bool>> Rows() const { return ShownRows(window_); }
    int Played(const char* file) const {
        return static_cast<int>(std::count(fakes_.sounds.played.begin(), fakes_.sounds.played.end(),
                                           state_.ProgramFolder / file));
    }

    MainWindowActions actions_{.cmdPlay_Click = [this] { ++playClicks_; },
                               .ShowOptions = [this] { ++optionsShown_; }};
    int playClicks_ = 0;
    int optionsShown_ = 0;
    frmMain window_{state_, ports_, progress_, nullptr, actions_};
};

TEST_F(frmMainTest, LoadFillsRowsInCatalogueOrderAndShowsTheWindow) {
    frmMain window(state_, ports_, progress_);
    ASSERT_TRUE(window.Form_Load());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(progress_.isVisible());
    EXPECT_EQ(window.windowTitle().toStdString(), MainWindowCaption());
    EXPECT_EQ(ShownRows(window),
              ModRows({{"Patch000.DAT", true}, {"a.dat", false}, {"z.dat", false}}));
    EXPECT_EQ(window.DATList->currentIndex().row(), 0);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(window.DATList->accessibleName(), "Mods");
}

TEST_F(frmMainTest, LeavingAtTheFirstQuestionEndsWithoutShowingTheWindow) {
    std::filesystem::remove_all(state_.ProgramFolder / "Patches");
    fakes_.messages.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    frmMain window(state_, ports_, progress_);
    EXPECT_FALSE(window.Form_Load());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(fakes_.lifetime.ended, 1);
}

TEST_F(LoadedMainTest, ButtonsCarryTheirNamesAndTheWindowsPointer) {
    const std::vector<std::pair<HotSpot*, QString>> buttons = {{window_.cmdPlay, "Play"},
                                                               {window_.cmdOptions, "Options"},
                                                               {window_.cmdAbout, "About"},
                                                               {window_.cmdExit, "Exit"}};
    for (const auto& [button, name] : buttons) {
        EXPECT_EQ(button->accessibleName(), name);
        EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor) << name.toStdString();
    }
    EXPECT_EQ(window_.DATList->cursor().shape(), Qt::ArrowCursor);
    const std::vector<std::tuple<QAction*, QString, QKeySequence>> moves = {
        {window_.actMoveUp, "Move mod up", QKeySequence(Qt::ALT | Qt::Key_Up)},
        {window_.actMoveDown, "Move mod down", QKeySequence(Qt::ALT | Qt::Key_Down)}};
    for (const auto& [action, name, keys] : moves) {
        EXPECT_EQ(action->text(), name);
        EXPECT_EQ(action->shortcut(), keys) << name.toStdString();
        EXPECT_TRUE(window_.DATList->actions().contains(action)) << "in the list's context menu";
    }
    EXPECT_FALSE(window_.DATList->accessibleDescription().isEmpty());
    EXPECT_FALSE(window_.labDesc->accessibleName().isEmpty());
    EXPECT_FALSE(window_.LabelShow->accessibleName().isEmpty());
    EXPECT_EQ(window_.size(), QSize(400, 514));
}

TEST_F(LoadedMainTest, HoverImageAndSoundOncePerEntryAndAgainOnTheNextButton) {
    EXPECT_EQ(HoverImagesShown(), std::vector<bool>({false, false, false, false}));
    MovePointer(window_.cmdOptions, QPoint(10, 10));
    MovePointer(window_.cmdOptions, QPoint(20, 12));
    EXPECT_EQ(HoverImagesShown(), std::vector<bool>({false, true, false, false}));
    EXPECT_EQ(Played("butin4.wav"), 1);

    MovePointer(window_.cmdAbout, QPoint(10, 10));  // straight onto the next button
    EXPECT_EQ(HoverImagesShown(), std::vector<bool>({false, false, true, false}));
    EXPECT_EQ(Played("butin4.wav"), 2);

    MovePointer(&window_, QPoint(200, 30));  // the bare window
    EXPECT_EQ(HoverImagesShown(), std::vector<bool>({false, false, false, false}));
    EXPECT_EQ(Played("butin4.wav"), 2);

    MovePointer(window_.cmdAbout, QPoint(12, 10));
    EXPECT_EQ(Played("butin4.wav"), 3);
}

TEST_F(LoadedMainTest, SoundOffSwitchesImagesAndButtonsSilently) {
    state_.Config.cfgGeneral.Sound = false;
    MovePointer(window_.cmdPlay, QPoint(10, 10));
    MovePointer(window_.cmdExit, QPoint(10, 10));
    EXPECT_EQ(HoverImagesShown(), std::vector<bool>({false, false, false, true}));
    QTest::mouseClick(window_.cmdOptions, Qt::LeftButton);
    ClickCheckBox(2);
    EXPECT_EQ(optionsShown_, 1);
    EXPECT_TRUE(state_.Mods.Ticked(3));
    EXPECT_TRUE(fakes_.sounds.played.empty());
}

TEST_F(LoadedMainTest, PlayAndOptionsRunTheirActionsWithTheClickSoundForOptions) {
    QTest::mouseClick(window_.cmdPlay, Qt::LeftButton);
    EXPECT_EQ(playClicks_, 1);
    EXPECT_EQ(Played("butin3.wav"), 0);  // the play pipeline makes its own click
    QTest::mouseClick(window_.cmdOptions, Qt::LeftButton);
    EXPECT_EQ(optionsShown_, 1);
    EXPECT_EQ(Played("butin3.wav"), 1);
}

// The keys a player presses: on a button as on any button, on the list for its menu and rows.
TEST_F(LoadedMainTest, ButtonsListMenuAndDescriptionByKeys) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(window_.cmdPlay, key);
    }
    EXPECT_EQ(playClicks_, 3);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::SHIFT)}}) {
        QAction* offered = nullptr;
        QTimer::singleShot(0, [&offered] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            offered = menu != nullptr ? menu->actions().value(0) : nullptr;
            QApplication::activePopupWidget()->close();
        });
        QTest::keyClick(window_.DATList, key, modifiers);
        EXPECT_EQ(offered, window_.actAddMod) << key;
    }
    const std::pair<Qt::Key, const char*> steps[] = {{Qt::Key_Down, "First mod"},
                                                     {Qt::Key_End, kNoDescription},
                                                     {Qt::Key_Home, kPatchDescription}};
    for (const auto& [key, shown] : steps) {
        QTest::keyClick(window_.DATList, key);
        EXPECT_EQ(window_.labDesc->text(), shown) << key;
        EXPECT_EQ(window_.labDesc->accessibleDescription(), shown) << key;
    }
}

// A damaged archive is marked in the list, and the description panel says what is wrong with it.
TEST_F(frmMainTest, ADamagedArchiveIsMarkedAndDescribed) {
    WriteFile(state_.ProgramFolder / "Patches" / "b broken.dat", "abc");
    frmMain window(state_, ports_, progress_);
    ASSERT_TRUE(window.Form_Load());
    EXPECT_EQ(Index(window, 1).data(Qt::ToolTipRole), "a.dat");  // a long name can be read whole
    window.DATList->setCurrentIndex(Index(window, 2));
    EXPECT_TRUE(Index(window, 2).data(Qt::ToolTipRole).toString().contains("Damaged"));
    EXPECT_TRUE(window.labDesc->text().startsWith("Damaged"));
}

TEST_F(LoadedMainTest, TickByMouseSetsTheSameCatalogueItemWithTheTickSound) {
    ClickCheckBox(1);
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"a.dat", true}, {"z.dat", false}}));
    EXPECT_TRUE(state_.Mods.Ticked(2));
    EXPECT_EQ(Played("butin4.wav"), 1);
    ClickCheckBox(1);
    EXPECT_FALSE(state_.Mods.Ticked(2));
    EXPECT_EQ(Played("butin4.wav"), 2);
}

TEST_F(LoadedMainTest, UntickingPatchInAnyCaseWarnsAndStands) {
    ClickCheckBox(0);  // the row reads Patch000.DAT
    EXPECT_EQ(Index(window_, 0).data(Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_FALSE(state_.Mods.Ticked(1));
    ASSERT_EQ(fakes_.messages.Texts(), std::vector<std::string>({kPatchUntickWarning}));
    ClickCheckBox(0);
    EXPECT_TRUE(state_.Mods.Ticked(1));
    EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "ticking it again says nothing";
}

TEST_F(LoadedMainTest, ClickOnAnItemShowsItsDescriptionOnly) {
    const ModRows before = Rows();
    QTest::mouseClick(window_.DATList->viewport(), Qt::LeftButton, {},
                      RowRect(window_, 1).center());
    EXPECT_EQ(window_.labDesc->text(), "First mod");
    QTest::mouseClick(window_.DATList->viewport(), Qt::LeftButton, {},
                      RowRect(window_, 0).center());
    EXPECT_EQ(window_.labDesc->text(), QString::fromLatin1(kPatchDescription));
    EXPECT_EQ(Rows(), before);
    EXPECT_TRUE(fakes_.sounds.played.empty());
}

TEST_F(LoadedMainTest, EveryWayOfClosingEndsTheProgram) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Exit button", [this] { QTest::mouseClick(window_.cmdExit, Qt::LeftButton); }},
        {"system close", [this] { window_.close(); }},
        {"all windows closed", [] { QApplication::closeAllWindows(); }},
    };
    for (const auto& [way, close] : ways) {
        window_.show();
        fakes_.lifetime.ended = 0;
        close();
        EXPECT_EQ(fakes_.lifetime.ended, 1) << way;
        EXPECT_FALSE(window_.isVisible()) << way;
    }
    EXPECT_EQ(Played("butin3.wav"), 1) << "only the Exit button clicks";
}

TEST_F(LoadedMainTest, PressOnTheBodyTheDescriptionOrADraggedListMovesTheWindow) {
    QSignalSpy moves(window_.Drag, &WindowDrag::MoveStarted);
    QTest::mousePress(&window_, Qt::LeftButton, {}, QPoint(200, 505));
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, QPoint(200, 505));
    QTest::mousePress(window_.labDesc, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(window_.labDesc, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(moves.count(), 2);

    const QPoint before = window_.pos();
    const QPoint inList(120, 300);
    QTest::mousePress(window_.DATList->viewport(), Qt::LeftButton, {}, inList);
    EXPECT_EQ(moves.count(), 2) << "a press alone on the list is the list's own";
    QTest::mouseMove(window_.DATList->viewport(), inList + QPoint(30, 20));
    QTest::mouseRelease(window_.DATList->viewport(), Qt::LeftButton, {}, inList + QPoint(30, 20));
    EXPECT_EQ(moves.count(), 3);
    EXPECT_EQ(window_.pos(), before + QPoint(30, 20));
}

// Dragging a row or Alt+Up / Alt+Down on the current one: the mod moves with its tick, shows its
// description, and its place is there again at the next start.
TEST_F(LoadedMainTest, AModMovesWithItsTickAndDescriptionAndKeepsItsPlaceAfterARestart) {
    ClickCheckBox(2);      // z.dat
    DragRow(2, 1, false);  // onto the upper half of a.dat
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"z.dat", true}, {"a.dat", false}}));
    EXPECT_EQ(window_.labDesc->text(), QString::fromLatin1(kNoDescription));
    EXPECT_EQ(window_.DATList->currentIndex().row(), 1);
    QTest::mouseClick(window_.DATList->viewport(), Qt::LeftButton, {},
                      RowRect(window_, 2).center());
    EXPECT_EQ(window_.labDesc->text(), "First mod");

    PressKeys(1, Qt::Key_Down);
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"a.dat", false}, {"z.dat", true}}));
    PressKeys(2, Qt::Key_Up);
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"z.dat", true}, {"a.dat", false}}));
    EXPECT_EQ(window_.labDesc->text(), QString::fromLatin1(kNoDescription));
    EXPECT_EQ(window_.DATList->currentIndex().row(), 1);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(testing::ReadFile(state_.ProgramFolder / kModOrderFile), Bytes("z.dat\na.dat\n"));

    ProgramState restarted;
    restarted.ProgramFolder = state_.ProgramFolder;
    restarted.Config = state_.Config;
    frmMain again(restarted, ports_, progress_);
    ASSERT_TRUE(again.Form_Load());
    EXPECT_EQ(ShownRows(again),
              ModRows({{"Patch000.DAT", true}, {"z.dat", false}, {"a.dat", false}}))
        << "ticks are not kept";
}

// The game's patch stays first: it neither moves nor lets a mod above it, by drag or by keys.
TEST_F(LoadedMainTest, ThePatchCannotBeMoved) {
    const ModRows before = Rows();
    EXPECT_FALSE(window_.DATList->DragsRowAt(RowRect(window_, 0).center()));
    EXPECT_TRUE(window_.DATList->DragsRowAt(RowRect(window_, 1).center()));
    DragRow(0, 2, true);
    PressKeys(0, Qt::Key_Down);
    EXPECT_FALSE(window_.actMoveDown->isEnabled());
    PressKeys(1, Qt::Key_Up);
    EXPECT_FALSE(window_.actMoveUp->isEnabled());
    EXPECT_EQ(Rows(), before);
    EXPECT_FALSE(std::filesystem::exists(state_.ProgramFolder / kModOrderFile));

    DragRow(2, 0, false);  // above the patch: the mod goes right below it
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"z.dat", false}, {"a.dat", false}}));
}

// The timers are driven by hand on a window that was never loaded: loading processes events, and on
// a busy machine the 10 ms fade would tick on its own before the first colour is read.
TEST_F(frmMainTest, CreditLoopRunsOnTheWindowsTimers) {
    frmMain window(state_, ports_, progress_);
    EXPECT_EQ(window.LabelShow->text(), "Vrel");
    EXPECT_EQ(window.LabelShow->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_TRUE(window.FadeTimer->isActive());
    EXPECT_FALSE(window.ShowTimer->isActive());
    EXPECT_FALSE(window.FadeTimer2->isActive());
    EXPECT_EQ(window.FadeTimer->interval(), 10);
    EXPECT_EQ(window.ShowTimer->interval(), 2000);
    EXPECT_EQ(window.FadeTimer2->interval(), 10);

    for (int tick = 0; tick < 48; ++tick) {
        window.FadeTimer_Timer();
    }
    EXPECT_EQ(window.LabelShow->palette().color(QPalette::WindowText), QColor(252, 252, 252));
    EXPECT_FALSE(window.FadeTimer->isActive());
    EXPECT_TRUE(window.ShowTimer->isActive());
    window.ShowTimer_Timer();
    EXPECT_FALSE(window.ShowTimer->isActive());
    EXPECT_TRUE(window.FadeTimer2->isActive());
    for (int tick = 0; tick < 48; ++tick) {
        window.FadeTimer2_Timer();
    }
    EXPECT_EQ(window.LabelShow->text(), "Coded by the Vrel team");
    EXPECT_EQ(window.LabelShow->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_TRUE(window.FadeTimer->isActive());
    EXPECT_FALSE(window.FadeTimer2->isActive());
}

TEST_F(LoadedMainTest, AboutOpensModallyWithTheClickSoundAndClosesOnItsButton) {
    bool sawAbout = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        sawAbout = about->isVisible();
        QTest::mouseClick(about->Label1, Qt::LeftButton);
    });
    QTest::mouseClick(window_.cmdAbout, Qt::LeftButton);
    EXPECT_TRUE(sawAbout);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Played("butin3.wav"), 2);  // the About button, then its close button
    EXPECT_EQ(fakes_.lifetime.ended, 0);
}

// Files dropped from a file manager: a mod as loose files and a .dat join the list in their sorted
// places, unticked; the mods ticked before stay ticked. A mod of the same name is kept when the
// user says so.
TEST_F(LoadedMainTest, DroppedModsJoinTheListAndTicksStay) {
    ClickCheckBox(1);  // a.dat
    fakes_.sounds.played.clear();
    const testing::TempFolder downloads;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> loose = {
        {"data/art/a.frm", Bytes("frame")}, {"ddraw.ini", Bytes("[Main]")}};
#ifdef VREL_TEST_PACKED
    const auto mod = downloads / "b.zip";
    testing::WritePackedArchive(mod, testing::PackedFormat::Zip, loose);
#else
    const auto mod = downloads / "b";
    for (const auto& [path, content] : loose) {
        std::filesystem::create_directories((mod / path).parent_path());
        WriteFile(mod / path, content);
    }
#endif
    WriteFile(downloads / "m.dat", BuildDatImage({{.Name = "m.txt", .Content = Bytes("m")}}));
    WriteFile(downloads / "Z.DAT", BuildDatImage({{.Name = "other.txt", .Content = Bytes("o")}}));
    const auto keptZ = testing::ReadFile(state_.ProgramFolder / "Patches" / "z.dat");
    fakes_.messages.answers = {MessageAnswer::No};  // keep the z.dat that is there

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(mod.string())),
                  QUrl::fromLocalFile(QString::fromStdString((downloads / "m.dat").string())),
                  QUrl::fromLocalFile(QString::fromStdString((downloads / "Z.DAT").string()))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window_, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window_, &drop);

    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true},
                               {"a.dat", true},
                               {"b.dat", false},
                               {"m.dat", false},
                               {"z.dat", false}}));
    EXPECT_EQ(state_.Mods.Item(3).Files->Item(1).FullPath, "art\\a.frm");
    EXPECT_EQ(testing::ReadFile(state_.ProgramFolder / "Patches" / "z.dat"), keptZ);
    // The replace question, then one message about what was left out.
    ASSERT_EQ(fakes_.messages.shown.size(), 2u);
    EXPECT_EQ(fakes_.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(fakes_.messages.shown[1].text.find("ddraw.ini"), std::string::npos);
    EXPECT_TRUE(fakes_.sounds.played.empty()) << "refilling the list is no tick";
}

// A mod dropped in after the player set an order (here by hand) comes after the mods the order
// names, in name order among the others.
TEST_F(frmMainTest, ADroppedModLandsInNameOrderAfterTheOrderedOnes) {
    WriteFile(state_.ProgramFolder / kModOrderFile, "z.dat\n");
    frmMain window(state_, ports_, progress_);
    ASSERT_TRUE(window.Form_Load());
    ASSERT_EQ(ShownRows(window).size(), 3u);
    EXPECT_EQ(ShownRows(window)[1].first, "z.dat");
    const testing::TempFolder downloads;
    WriteFile(downloads / "b.dat", BuildDatImage({{.Name = "b.txt", .Content = Bytes("b")}}));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((downloads / "b.dat").string()))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &drop);

    EXPECT_EQ(
        ShownRows(window),
        ModRows({{"Patch000.DAT", true}, {"z.dat", false}, {"a.dat", false}, {"b.dat", false}}));
}

// The list's menu and keys manage the mods in Patches: Insert adds what the file dialog picked,
// Delete moves a mod to the trash (or, without one, into Removed), F5 reads Patches anew, and a
// mod copied in by hand shows by itself. Ticks stay; the mod added or next in line is current.
TEST_F(LoadedMainTest, TheListsKeysAndMenuManageTheModsInPatches) {
    const std::filesystem::path patches = state_.ProgramFolder / "Patches";
    const auto press = [this](int row, Qt::Key key) {
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        window_.DATList->setCurrentIndex(Index(window_, row));
        window_.DATList->setFocus();
        QTest::keyClick(window_.DATList, key);
    };
    ClickCheckBox(2);  // z.dat
    const testing::TempFolder downloads;
    WriteFile(downloads / "n.dat",
              BuildDatImage({{.Name = "amoddesc.qrd", .Content = Bytes("N")}}));
    fakes_.pickers.manyFiles = {(downloads / "n.dat").string()};
    press(0, Qt::Key_Insert);
    EXPECT_EQ(
        Rows(),
        ModRows({{"Patch000.DAT", true}, {"a.dat", false}, {"n.dat", false}, {"z.dat", true}}));
    EXPECT_EQ(window_.DATList->currentIndex().row(), 2);
    EXPECT_EQ(window_.labDesc->text(), "N");
    ASSERT_EQ(fakes_.messages.shown.size(), 1u);
    EXPECT_EQ(fakes_.messages.shown[0].text.find('\r'), std::string::npos) << "one line";

    const testing::TempFolder trash;
    fakes_.shell.trash = trash.path();
    fakes_.messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok};
    press(0, Qt::Key_Delete);  // the patch is not removed, and nothing is asked
    press(1, Qt::Key_Delete);
    EXPECT_TRUE(std::filesystem::exists(trash / "a.dat"));
    fakes_.shell.trash.clear();  // a system without a trash
    press(1, Qt::Key_Delete);
    EXPECT_EQ(testing::ReadFile(state_.ProgramFolder / kRemovedFolder / "n.dat"),
              testing::ReadFile(downloads / "n.dat"));
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"z.dat", true}}));
    EXPECT_EQ(fakes_.messages.shown.size(), 4u) << "two questions and where n.dat went";

    WriteFile(patches / "b.dat", BuildDatImage({{.Name = "b.txt", .Content = Bytes("b")}}));
    press(0, Qt::Key_F5);
    EXPECT_EQ(Rows().size(), 3u);
    WriteFile(patches / "c.dat", BuildDatImage({{.Name = "c.txt", .Content = Bytes("c")}}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return Rows().size() == 4u; }, 5000))
        << "a mod copied in by hand shows by itself";
    EXPECT_TRUE(state_.Mods.Ticked(4)) << "z.dat keeps its tick";
    window_.actOpenPatches->trigger();
    EXPECT_EQ(fakes_.shell.openedFiles, std::vector<std::filesystem::path>{patches});
}

// A set saved from the menu is shown, follows the ticks while in use, and comes back when switched
// to from another.
TEST_F(LoadedMainTest, ModSetsAreSavedAndSwitchedFromTheMenu) {
    ClickCheckBox(2);
    fakes_.pickers.texts = {"Two mods", "Patch only"};
    window_.actSaveSet->trigger();
    window_.actSaveSet->trigger();
    ClickCheckBox(2);
    EXPECT_EQ(window_.labSet->accessibleDescription(), "Patch only");
    emit window_.SwitchSetMenu->aboutToShow();
    ASSERT_EQ(window_.SwitchSetMenu->actions().size(), 2);
    window_.SwitchSetMenu->actions()[0]->trigger();
    EXPECT_EQ(Rows(), ModRows({{"Patch000.DAT", true}, {"a.dat", false}, {"z.dat", true}}));
    EXPECT_EQ(window_.labSet->accessibleDescription(), "Two mods");
    EXPECT_TRUE(window_.labSet->isVisibleTo(&window_));
}

}  // namespace
}  // namespace vrel
