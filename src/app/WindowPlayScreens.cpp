#include "app/WindowPlayScreens.h"

#include "launch/frmPlay.h"

namespace vrel {

WindowPlayScreens::WindowPlayScreens(frmMain& mainWindow, ProgramState& state, Ports& ports,
                                     std::function<void()> showConflictCheck, int pollInterval)
    : mainWindow_(mainWindow),
      state_(state),
      ports_(ports),
      showConflictCheck_(std::move(showConflictCheck)),
      pollInterval_(pollInterval) {}

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
