#pragma once

#include <functional>

#include "app/frmMain.h"
#include "launch/PlayPipeline.h"

namespace vrel {

// Play as the user sees it: the main window's visibility, the conflict window and the waiting
// window.
class WindowPlayScreens final : public PlayScreens {
public:
    WindowPlayScreens(frmMain& mainWindow, ProgramState& state, Ports& ports,
                      std::function<void()> showConflictCheck, int pollInterval);

    void SetMainWindowVisible(bool visible) override;
    void ShowConflictCheck() override;
    void ShowWaitingWindow(const std::filesystem::path& gameProgram) override;

private:
    frmMain& mainWindow_;
    ProgramState& state_;
    Ports& ports_;
    std::function<void()> showConflictCheck_;
    int pollInterval_;
};

}  // namespace vrel
