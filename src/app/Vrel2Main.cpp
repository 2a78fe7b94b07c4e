#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStringList>

#include "app/ProgForm.h"
#include "app/ProgramStart.h"
#include "config/Main.h"
#include "launch/Recovery.h"
#include "platform/ArgumentText.h"
#include "platform/ExitLifetime.h"
#include "platform/SystemEnvironment.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPickers.h"
#include "platform/qt/QtShell.h"
#include "state/ProgramState.h"
#ifdef _WIN32
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Sounds.h"
#else
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/WineRegistry.h"
#include "platform/qt/QtSounds.h"
#endif

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vrel"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vrel2.png")));

    vrel::QtMessageBox messages;
    vrel::ExitLifetime lifetime;
    vrel::QtPickers pickers;
#ifdef _WIN32
    vrel::Win32Sounds sounds;
    vrel::Win32Registry registry;
    vrel::Win32Processes processes;
#else
    vrel::QtSounds sounds;
    vrel::WineRegistry registry(vrel::WineRegistry::PrefixFromEnvironment());
    vrel::PosixProcesses processes;
#endif
    vrel::QtShell shell;
    vrel::SystemEnvironment environment;
    vrel::Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell, environment};

    vrel::ProgramState state;
    // Through UTF-16: on Windows a narrow path is read in the ANSI code page, not as UTF-8.
    state.ProgramFolder = std::filesystem::path(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String());
#ifdef _WIN32
    state.CommandLine = QString::fromStdWString(vrel::ProcessArgumentText()).toStdString();
#else
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    state.CommandLine = arguments.join(QLatin1Char(' ')).toStdString();
#endif

    const auto firstWindow = vrel::Main(state.Config, state.ProgramFolder, messages, lifetime);
    if (!firstWindow) {
        return 0;
    }
    vrel::OfferGameFolderRestore(state.ProgramFolder, messages);
    vrel::ProgForm progress;
    vrel::ProgramStart start(state, ports, progress);
    if (!start.Open(*firstWindow)) {
        return 0;
    }
    return QApplication::exec();
}
