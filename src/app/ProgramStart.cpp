#include "app/ProgramStart.h"

namespace vrel {

ProgramStart::ProgramStart(ProgramState& state, Ports& ports, ProgressPort& progress)
    : state_(state), ports_(ports), progress_(progress) {}

bool ProgramStart::Open(FirstWindow first) {
    if (first == FirstWindow::FirstRun) {
        // Start-up ends the program itself where the main window cannot be shown.
        firstRun_ = FirstTimeRun_Routine(state_, ports_, [this] { ShowMainWindow(); });
        return true;
    }
    return ShowMainWindow();
}

bool ProgramStart::ShowMainWindow() {
    mainWindow_ = std::make_unique<MainWindowSet>(state_, ports_, progress_);
    return mainWindow_->Form_Load();
}

}  // namespace vrel
