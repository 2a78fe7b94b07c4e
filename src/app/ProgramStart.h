#pragma once

#include <QPointer>
#include <memory>

#include "app/MainWindowSet.h"
#include "config/VrelCFG.h"
#include "config/frmFTR.h"

namespace vrel {

// The program's first windows: the first-run window on a first start, and the main window with
// everything its buttons open, which it holds for as long as the program runs.
class ProgramStart {
public:
    ProgramStart(ProgramState& state, Ports& ports, ProgressPort& progress);

    // Opens the window that the settings asked for; false when the program ended instead.
    bool Open(FirstWindow first);

    MainWindowSet* MainWindow() const { return mainWindow_.get(); }
    // The first-run window while it is open.
    frmFTR* FirstRunWindow() const { return firstRun_; }

private:
    bool ShowMainWindow();

    ProgramState& state_;
    Ports& ports_;
    ProgressPort& progress_;
    std::unique_ptr<MainWindowSet> mainWindow_;
    QPointer<frmFTR> firstRun_;
};

}  // namespace vrel
