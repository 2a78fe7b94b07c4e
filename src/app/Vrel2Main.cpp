#include <memory>

#include <QApplication>
#include <QStringList>

#include "app/ProgForm.h"
#include "app/ProgramState.h"
#include "app/frmMain.h"
#include "config/Main.h"
#include "config/frmFTR.h"
#include "platform/ExitLifetime.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPickers.h"
#include "platform/qt/QtShell.h"
#ifdef _WIN32
#include "platform/win32/Win32Registry.h"
#else
#include "platform/posix/WineRegistry.h"
#endif

namespace {

// Stand-ins until the process and sound ports have their real implementations.
class NoProcesses final : public vrel::ProcessPort {
public:
    std::optional<vrel::ProcessId> Start(const std::filesystem::path&,
                                         const std::filesystem::path&) override {
        return std::nullopt;
    }
    bool IsRunning(vrel::ProcessId) override { return false; }
};
class NoSounds final : public vrel::SoundPort {
public:
    void Play(const std::filesystem::path&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vrel"));

    vrel::QtMessageBox messages;
    vrel::ExitLifetime lifetime;
    NoSounds sounds;
    vrel::QtPickers pickers;
#ifdef _WIN32
    vrel::Win32Registry registry;
#else
    vrel::WineRegistry registry(vrel::WineRegistry::PrefixFromEnvironment());
#endif
    NoProcesses processes;
    vrel::QtShell shell;
    vrel::Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell};

    vrel::ProgramState state;
    state.programFolder =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    state.commandLine = arguments.join(QLatin1Char(' ')).toStdString();

    const auto firstWindow = vrel::Main(state.Config, state.programFolder, messages, lifetime);
    if (!firstWindow) {
        return 0;
    }
    vrel::ProgForm progress;
    std::unique_ptr<vrel::frmMain> mainWindow;
    // Opens the main window; false when the program ended instead.
    auto showMainWindow = [&] {
        mainWindow = std::make_unique<vrel::frmMain>(state, ports, progress);
        return mainWindow->Form_Load();
    };
    if (*firstWindow == vrel::FirstWindow::FirstRun) {
        vrel::FirstTimeRun_Routine(state, ports, [&] {
            if (!showMainWindow()) {
                QApplication::quit();
            }
        });
    } else if (!showMainWindow()) {
        return 0;
    }
    return QApplication::exec();
}
