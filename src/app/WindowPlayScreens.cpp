#include "app/WindowPlayScreens.h"

#include <QListWidget>

#include "launch/frmPlay.h"

namespace vrel {

WindowPlayScreens::WindowPlayScreens(frmMain& mainWindow, ProgramState& state, Ports& ports,
                                     std::function<void()> showConflictCheck, int pollInterval)
    : mainWindow_(mainWindow),
      state_(state),
      ports_(ports),
      showConflictCheck_(std::move(showConflictCheck)),
      pollInterval_(pollInterval) {}

std::vector<ModRow> WindowPlayScreens::ListItems() {
    std::vector<ModRow> items;
    for (int row = 0; row < mainWindow_.DATList->count(); ++row) {
        const QListWidgetItem* item = mainWindow_.DATList->item(row);
        items.push_back({frmMain::RowFileName(item), item->checkState() == Qt::Checked});
    }
    return items;
}

void WindowPlayScreens::SetMainWindowVisible(bool visible) {
    mainWindow_.setVisible(visible);
}

void WindowPlayScreens::ShowConflictCheck() {
    if (showConflictCheck_) {
        showConflictCheck_();
    }
}

void WindowPlayScreens::ShowWaitingWindow(const std::filesystem::path& gameProgram) {
    frmPlay waiting(state_, ports_, pollInterval_, &mainWindow_);
    waiting.Run(gameProgram);
}

}  // namespace vrel
