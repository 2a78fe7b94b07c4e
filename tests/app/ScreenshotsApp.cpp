// Renders the main window and the About window with demo mods to PNG files, headless.
// Usage: screenshots_app OUTPUT_FOLDER
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "DatImage.h"
#include "Fakes.h"
#include "PointerMoves.h"
#include "TempFolder.h"
#include "app/HotSpot.h"
#include "app/ProgForm.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "platform/qt/QtMessageBox.h"
#ifdef VREL_TEST_PACKED
#include "PackedArchive.h"
#endif

namespace {

using vrel::testing::Bytes;
using vrel::testing::WriteFile;

struct DemoMod {
    const char* name;
    const char* description;
};

const DemoMod kDemoMods[] = {
    {"Arroyo Redux.dat",
     "Arroyo rebuilt: new huts, a second well and the temple trial with a few more traps."},
    {"BetterMaps.dat", "Sharper world map tiles and marked water caravans."},
    {"Klamath Nights.dat", "Night-time lighting for Klamath and the trapping grounds."},
    {"NCR Patrols.dat", "Ranger patrols on the roads between NCR and the Hub."},
    {"New Reno Tunes.dat", "Quieter casino music and new jukebox tracks."},
    {"patch000.dat", ""},
    {"Quick Inventory.dat", "Bigger inventory list and faster barter screen."},
    {"Restored Texts.dat", "Typo fixes for the English dialogue files."},
    {"Wasteland Sounds.dat", "Wind, crickets and distant thunder on the world map."},
};

void Save(QWidget& window, const std::filesystem::path& file) {
    window.grab().save(QString::fromStdString(file.string()));
    std::cout << file.string() << "\n";
}

// The window with the list's context menu open at the current row and its Switch menu beside it,
// drawn into one picture as a screen would show them.
void SaveWithMenus(vrel::frmMain& window, const std::filesystem::path& file) {
    QMenu menu;
    menu.addActions(window.DATList->actions());
    const QRect row = window.DATList->visualRect(window.DATList->currentIndex());
    const QPoint at = window.DATList->viewport()->mapTo(&window, row.center());
    menu.popup(window.mapToGlobal(at));
    menu.setActiveAction(window.SwitchSetMenu->menuAction());
    emit window.SwitchSetMenu->aboutToShow();
    window.SwitchSetMenu->popup(
        menu.mapToGlobal(menu.actionGeometry(window.SwitchSetMenu->menuAction()).topRight()));
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QRect whole = QRect(origin, window.size())
                            .united(menu.geometry())
                            .united(window.SwitchSetMenu->geometry());
    QPixmap picture(whole.size());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(origin - whole.topLeft(), window.grab());
    painter.drawPixmap(menu.pos() - whole.topLeft(), menu.grab());
    painter.drawPixmap(window.SwitchSetMenu->pos() - whole.topLeft(), window.SwitchSetMenu->grab());
    painter.end();
    picture.save(QString::fromStdString(file.string()));
    std::cout << file.string() << "\n";
    window.SwitchSetMenu->hide();
    menu.hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: screenshots_app OUTPUT_FOLDER\n";
        return 2;
    }
    QApplication application(argc, argv);
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(out);

    vrel::testing::TempFolder folder;
    vrel::ProgramState state;
    state.ProgramFolder = folder / "program";
    state.Config.cfgPath.Fallout2 = (folder / "game").string();
    state.Config.cfgGeneral.LoadModDesc = true;
    std::filesystem::create_directories(folder / "game");
    for (const DemoMod& mod : kDemoMods) {
        const auto path = state.ProgramFolder / "Patches" / mod.name;
        if (std::string(mod.name) == "patch000.dat") {
            WriteFile(path, "the game's own patch");
            continue;
        }
        WriteFile(path,
                  vrel::BuildDatImage({{.Name = "amoddesc.qrd", .Content = Bytes(mod.description)},
                                       {.Name = "data\\readme.txt", .Content = Bytes("x")}}));
    }

    vrel::testing::FakePorts fakes;
    vrel::Ports& ports = fakes.ports;
    vrel::ProgForm progress;

    vrel::frmMain window(state, ports, progress);
    if (!window.Form_Load()) {
        std::cerr << "screenshots_app: the demo did not load\n";
        return 1;
    }
    QAbstractItemModel* rows = window.DATList->model();
    rows->setData(rows->index(2, 0), Qt::Checked, Qt::CheckStateRole);
    rows->setData(rows->index(5, 0), Qt::Checked, Qt::CheckStateRole);
    const QRect row = window.DATList->visualRect(rows->index(1, 0));
    QTest::mouseClick(window.DATList->viewport(), Qt::LeftButton, {}, row.center());
    for (int tick = 0; tick < 48; ++tick) {
        window.FadeTimer_Timer();
    }
    window.FadeTimer->stop();
    window.ShowTimer->stop();
    Save(window, out / "vrel2-main.png");

    vrel::testing::MovePointer(window.cmdPlay, window.cmdPlay->rect().center());
    Save(window, out / "vrel2-main-hover.png");

    // BetterMaps moved below New Reno Tunes (Alt+Down three times), so that its files win.
    vrel::testing::MovePointer(&window, QPoint(200, 30));
    window.DATList->setCurrentIndex(rows->index(2, 0));
    for (int step = 0; step < 3; ++step) {
        window.actMoveDown->trigger();
    }
    Save(window, out / "vrel2-main-moved.png");

    // Two mod sets; the list's menu open on a mod with its Switch menu, the set in use named under
    // the description.
    fakes.pickers.texts = {"Restoration", "Total conversion"};
    window.actSaveSet->trigger();
    window.actSaveSet->trigger();
    rows->setData(rows->index(5, 0), Qt::Unchecked, Qt::CheckStateRole);
    emit window.SwitchSetMenu->aboutToShow();
    window.SwitchSetMenu->actions()[0]->trigger();
    window.DATList->setCurrentIndex(rows->index(4, 0));
    SaveWithMenus(window, out / "vrel2-main-menu.png");

    vrel::frmAbout about(state.Config, fakes.sounds, fakes.shell, state.ProgramFolder, &window);
    about.show();
    Save(about, out / "vrel2-about.png");
    vrel::testing::MovePointer(about.Label5, about.Label5->rect().center());
    Save(about, out / "vrel2-about-hover.png");
    about.close();

    // A mod that comes as a .zip (a folder where this build reads none) dropped onto the window.
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> loose = {
        {"Vault City Nights/data/art/intrface/vcnight.frm", Bytes("frame")},
        {"Vault City Nights/data/maps/vctycocl.map", Bytes("map")},
        {"Vault City Nights/data/text/english/dialog/vcguard.msg", Bytes("{100}{}{Halt.}")},
        {"Vault City Nights/ddraw.ini", Bytes("[Main]")},
        {"Vault City Nights/sfall/ddraw.dll", Bytes("MZ")},
        {"Vault City Nights/readme.txt", Bytes("Night-time lighting for Vault City.")},
        {"Vault City Nights/screenshot.png", Bytes("png")}};
#ifdef VREL_TEST_PACKED
    const auto mod = folder / "Vault City Nights.zip";
    vrel::testing::WritePackedArchive(mod, vrel::testing::PackedFormat::Zip, loose);
#else
    const auto mod = folder / "Vault City Nights";
    for (const auto& [path, content] : loose) {
        const auto file = folder.path() / std::filesystem::path(path);
        std::filesystem::create_directories(file.parent_path());
        WriteFile(file, content);
    }
#endif
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(mod.string()))});
    QDragEnterEvent enter(QPoint(150, 200), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(150, 200), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &drop);
    Save(window, out / "vrel2-main-after-import.png");
    if (fakes.messages.shown.empty()) {
        std::cerr << "screenshots_app: the drop showed no message\n";
        return 1;
    }
    const auto box = vrel::NewMessageBox(fakes.messages.shown.back(), nullptr);
    box->show();
    Save(*box, out / "vrel2-import-message.png");
    return 0;
}
