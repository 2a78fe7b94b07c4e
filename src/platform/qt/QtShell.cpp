#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
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
    QFile archive(file);
    return archive.moveToTrash();
}

}  // namespace vrel
