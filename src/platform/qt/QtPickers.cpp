#include "platform/qt/QtPickers.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QStandardPaths>
#include <QStringList>

namespace vrel {

std::optional<std::string> QtPickers::PickFolder(const std::string& instruction) {
    // The browser starts at the desktop (the home folder where there is none), never in the
    // folder the program happens to work in.
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (start.isEmpty() || !QDir(start).exists()) {
        start = QDir::homePath();
    }
    const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                                             QString::fromUtf8(instruction), start,
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(folder).toStdString();
}

std::optional<std::string> QtPickers::PickOpenFile(const std::vector<FileFilter>& filters,
                                                   const std::string& startFolder) {
    // Qt reads the pattern from the parentheses of each filter text; "*.*" would hide files
    // without an extension on this platform, so it becomes "*".
    QStringList filterTexts;
    for (const FileFilter& filter : filters) {
        QString name = QString::fromUtf8(filter.Description);
        name = name.left(name.indexOf(QStringLiteral(" (")));
        const QString pattern =
            filter.Pattern == "*.*" ? QStringLiteral("*") : QString::fromUtf8(filter.Pattern);
        filterTexts << QStringLiteral("%1 (%2)").arg(name, pattern);
    }
    const QString file = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      QString::fromStdString(startFolder),
                                                      filterTexts.join(QStringLiteral(";;")));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(file).toStdString();
}

std::optional<std::size_t> QtPickers::PickOne(const std::string& question,
                                              const std::vector<std::string>& choices,
                                              std::size_t preselected) {
    QStringList items;
    for (const std::string& choice : choices) {
        items << QString::fromStdString(choice);
    }
    bool picked = false;
    const QString item = QInputDialog::getItem(
        QApplication::activeWindow(), QApplication::applicationName(),
        QString::fromStdString(question), items,
        static_cast<int>(std::min(preselected, choices.size() - 1)), false, &picked);
    const auto index = items.indexOf(item);
    if (!picked || index < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index);
}

}  // namespace vrel
