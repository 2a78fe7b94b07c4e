#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStringList>

#include "platform/ArgumentText.h"
#include "platform/ExitLifetime.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPickers.h"
#include "viewer/frmViewer.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Pendra"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/pendra.png")));

    vrel::QtMessageBox messages;
    vrel::ExitLifetime lifetime;
    vrel::QtPickers pickers;

#ifdef _WIN32
    // The file name after "-f" is taken from the text as typed, two spaces and quotes included.
    const QString commandLine = QString::fromStdWString(vrel::ProcessArgumentText());
#else
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const QString commandLine = arguments.join(QLatin1Char(' '));
#endif
    vrel::ViewerStart start{
        .CommandLine = commandLine.toStdString(),
        .ProgramFolder = std::filesystem::path(
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String()),
        .startFolder =
            std::filesystem::path(QDir::toNativeSeparators(QDir::currentPath()).toStdU16String()),
    };

    vrel::frmViewer viewer(std::move(start), {messages, lifetime, pickers});
    viewer.Form_Load();
    return application.exec();
}
