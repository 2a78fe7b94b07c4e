#include <QApplication>
#include <QStringList>

#include "app/ProgForm.h"
#include "app/ProgramState.h"
#include "app/frmMain.h"
#include "config/Main.h"
#include "platform/ExitLifetime.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPickers.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSounds.h"

namespace {

// Stand-ins until the registry and process ports have their real implementations.
class NoRegistry final : public vrel::RegistryPort {
public:
    vrel::RegistryValue ReadRegValue(const std::string&, const std::string&) override { return {}; }
};
class NoProcesses final : public vrel::ProcessPort {
public:
    std::optional<vrel::ProcessId> Start(const std::filesystem::path&,
                                         const std::filesystem::path&) override {
        return std::nullopt;
    }
    bool IsRunning(vrel::ProcessId) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vrel"));

    vrel::QtMessageBox messages;
    vrel::ExitLifetime lifetime;
    vrel::QtSounds sounds;
    vrel::QtPickers pickers;
    NoRegistry registry;
    NoProcesses processes;
    vrel::QtShell shell;
    vrel::Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell};

    vrel::ProgramState state;
    state.programFolder =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    state.commandLine = arguments.join(QLatin1Char(' ')).toStdString();

    if (!vrel::Main(state.Config, state.programFolder, messages, lifetime)) {
        return 0;
    }
    vrel::ProgForm progress;
    vrel::frmMain mainWindow(state, ports, progress);
    if (!mainWindow.Form_Load()) {
        return 0;
    }
    return QApplication::exec();
}
