#include "platform/qt/QtPickers.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
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

namespace {

// Qt reads the pattern from the parentheses of each filter text; "*.*" would hide files without
// an extension on this platform, so it becomes "*".
QString FilterText(const std::vector<FileFilter>& filters) {
    QStringList filterTexts;
    for (const FileFilter& filter : filters) {
        QString name = QString::fromUtf8(filter.Description);
        name = name.left(name.indexOf(QStringLiteral(" (")));
        const QString pattern =
            filter.Pattern == "*.*" ? QStringLiteral("*") : QString::fromUtf8(filter.Pattern);
        filterTexts << QStringLiteral("%1 (%2)").arg(name, pattern);
    }
    return filterTexts.join(QStringLiteral(";;"));
}

}  // namespace

std::optional<std::string> QtPickers::PickOpenFile(const std::vector<FileFilter>& filters,
                                                   const std::string& startFolder) {
    const QString file =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                     QString::fromStdString(startFolder), FilterText(filters));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(file).toStdString();
}

std::vector<std::string> QtPickers::PickOpenFiles(const std::string& title,
                                                  const std::vector<FileFilter>& filters,
                                                  const std::string& startFolder) {
    std::vector<std::string> picked;
    for (const QString& file :
         QFileDialog::getOpenFileNames(QApplication::activeWindow(), QString::fromStdString(title),
                                       QString::fromStdString(startFolder), FilterText(filters))) {
        picked.push_back(QDir::toNativeSeparators(file).toStdString());
    }
    return picked;
}

std::optional<std::string> QtPickers::AskText(const std::string& question,
                                              const std::string& initial) {
    bool given = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), QApplication::applicationName(),
                              QString::fromStdString(question), QLineEdit::Normal,
                              QString::fromStdString(initial), &given);
    if (!given) {
        return std::nullopt;
    }
    return text.toStdString();
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
