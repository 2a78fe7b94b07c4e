#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace vrel {

void QtShell::Open(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(address)));
}

void QtShell::OpenFile(const std::filesystem::path& file) {
    // Through QFileInfo the path keeps its characters in any language (wide on Windows, the file
    // system's bytes elsewhere) up to the file URL.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

bool QtShell::MoveToTrash(const std::filesystem::path& file) {
#ifndef _WIN32
    // Without the desktop's trash folder Qt moves the file into "files" under the working folder
    // instead, where nobody would look for it: the folder is made first, and a file that lands
    // anywhere but in a trash goes back where it was.
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (home.isEmpty() || !QDir().mkpath(home + QStringLiteral("/Trash/files")) ||
        !QDir().mkpath(home + QStringLiteral("/Trash/info"))) {
        return false;
    }
#endif
    QFile archive(file);
    const QString before = archive.fileName();
    if (!archive.moveToTrash()) {
        return false;
    }
    if (QFileInfo(archive.fileName()).isRelative()) {
        QFile::rename(archive.fileName(), before);
        return false;
    }
    return true;
}

}  // namespace vrel
