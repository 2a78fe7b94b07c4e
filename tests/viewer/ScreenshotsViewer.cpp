// Renders the viewer showing the release notes in two colour schemes, and the exit splash, to
// PNG files in the given folder.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <filesystem>

#include "Fakes.h"
#include "viewer/frmExit.h"
#include "viewer/frmViewer.h"

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    const QString file = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "screenshots_viewer: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots_viewer OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "screenshots_viewer: cannot create %s\n", argv[1]);
        return 1;
    }

    vrel::testing::FakeMessageBox messages;
    vrel::testing::FakeLifetime lifetime;
    vrel::testing::FakePickers pickers;
    const std::filesystem::path notesFolder =
        std::filesystem::path(VREL_RELEASE_NOTES).parent_path();

    vrel::frmViewer viewer({"", notesFolder, notesFolder}, {messages, lifetime, pickers});
    viewer.Form_Load();
    if (!messages.shown.empty()) {
        std::fprintf(stderr, "screenshots_viewer: %s\n", messages.shown[0].text.c_str());
        return 1;
    }
    bool saved = Save(viewer, folder, "viewer_qrd_f4.png");
    viewer.Session().KeyUp(vrel::ViewerKey::F6, {});
    saved = Save(viewer, folder, "viewer_qrd_f6.png") && saved;

    vrel::frmExit splash(lifetime, std::chrono::hours(1), &viewer);
    splash.show();
    saved = Save(splash, folder, "viewer_splash.png") && saved;
    return saved ? 0 : 1;
}
