#pragma once

#include "app/WindowPlayScreens.h"
#include "app/frmMain.h"
#include "launch/PlayPipeline.h"
#include "launch/frmDCheck.h"
#include "launch/frmPlay.h"

namespace vrel {

// The main window with everything its buttons start: the Options window, and Play with its
// conflict and waiting windows.
class MainWindowSet {
public:
    MainWindowSet(ProgramState& state, Ports& ports, ProgressPort& progress,
                  int pollInterval = frmPlay::kPollInterval,
                  int checkDelay = frmDCheck::kCheckDelayMs);

    bool Form_Load() { return window_.Form_Load(); }
    frmMain& Window() { return window_; }

private:
    frmMain window_;
    WindowPlayScreens screens_;
    PlayPipeline pipeline_;
};

}  // namespace vrel
