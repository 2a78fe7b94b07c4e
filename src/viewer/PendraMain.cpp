#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStringList>

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

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    vrel::ViewerStart start{
        .commandLine = arguments.join(QLatin1Char(' ')).toStdString(),
        .programFolder = std::filesystem::path(
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String()),
        .startFolder =
            std::filesystem::path(QDir::toNativeSeparators(QDir::currentPath()).toStdU16String()),
    };

    vrel::frmViewer viewer(std::move(start), {messages, lifetime, pickers});
    viewer.Form_Load();
    return application.exec();
}
