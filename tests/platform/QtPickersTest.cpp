#include "platform/qt/QtPickers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimer>

#include "TempFolder.h"

namespace vrel {
namespace {

TEST(QtPickers, FolderBrowserStartsAtTheDesktopNotTheWorkingFolder) {
    testing::TempFolder workingFolder;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(workingFolder.path().string()));
    QString shownFirst;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shownFirst = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    QtPickers pickers;
    EXPECT_FALSE(pickers.PickFolder("Select your Fallout 2 directory"));
    QDir::setCurrent(before);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    EXPECT_EQ(shownFirst, QDir(desktop).exists() ? desktop : QDir::homePath());
}

}  // namespace
}  // namespace vrel
