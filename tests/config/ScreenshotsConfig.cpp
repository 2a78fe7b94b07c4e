// Renders the first-run and Options windows with demo settings into PNG files of the folder given
// as the only argument.
#include <cstdio>
#include <filesystem>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include "Fakes.h"
#include "config/OptionsSettings.h"
#include "config/SettingsTable.h"
#include "config/frmFTR.h"
#include "config/frmOptions.h"

namespace {

bool Save(QWidget& window, const std::filesystem::path& file) {
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(QString::fromStdString(file.string()), "PNG");
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
    }
    return saved;
}

// The window and a popup list of it (a window of its own) in one picture, as the screen shows them.
bool SaveWithPopup(QWidget& window, QWidget& popup, const std::filesystem::path& file) {
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QRect popupArea =
        QRect(popup.mapToGlobal(QPoint(0, 0)), popup.size()).translated(-origin);
    QPixmap picture(window.rect().united(popupArea).size());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, window.grab());
    painter.drawPixmap(popupArea.topLeft(), popup.grab());
    painter.end();
    const bool saved = picture.save(QString::fromStdString(file.string()), "PNG");
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
    }
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots_config OUTPUT_FOLDER\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::filesystem::path out(argv[1]);

    vrel::testing::FakePorts fakes;
    vrel::Ports& ports = fakes.ports;

    vrel::ProgramSettings state;
    state.ProgramFolder = out;
    state.Config.cfgGeneral = {.FirstTimeRun = false,
                               .Sound = true,
                               .LoadModDesc = true,
                               .DeleteDataFiles = true,
                               .CheckConflicts = false};
    state.Config.cfgPath.Fallout2 = "C:\\Games\\Fallout2";

    bool saved = true;
    {
        vrel::frmFTR window(state, ports, [] {});
        window.txtF2path->setText(QStringLiteral("C:\\Games\\Fallout2"));
        saved = Save(window, out / "frmFTR.png") && saved;
    }
    {
        // Several installs found, with the list of them opened from the box's arrow.
        vrel::frmFTR window(state, ports, [] {});
        window.OfferGameFolders({.Recorded = true,
                                 .Folders = {"C:\\Games\\Fallout2", "D:\\GOG Games\\Fallout 2",
                                             "E:\\SteamLibrary\\steamapps\\common\\Fallout 2"},
                                 .Stores = {"Installer", "GOG", "Steam"}});
        window.show();
        QApplication::processEvents();
        window.FoundFolders->trigger();
        QApplication::processEvents();
        saved = SaveWithPopup(window, *window.txtF2path->completer()->popup(),
                              out / "frmFTR-found.png") &&
                saved;
    }
    {
        state.CommandLine = "-d";
        vrel::frmFTR window(state, ports, [] {});
        saved = Save(window, out / "frmFTR-debug.png") && saved;
    }
    {
        bool rememberTicks = false;  // as the main window opens it
        vrel::frmOptions window(state, ports, nullptr, &rememberTicks);
        saved = Save(window, out / "frmOptions.png") && saved;
    }
    {
        // The longest description, to see that it fits its frame.
        vrel::frmOptions window(state, ports);
        const std::string_view text = vrel::kSwitches[3].Description;  // DeleteDataFiles
        window.Label1->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        saved = Save(window, out / "frmOptions-description.png") && saved;
    }
    return saved ? 0 : 1;
}
