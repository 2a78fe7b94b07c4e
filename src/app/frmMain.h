#pragma once

#include <QWidget>

#include "app/ProgramState.h"
#include "platform/Ports.h"
#include "platform/ProgressPort.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace vrel {

// The main window: the mod list with a check box per mod and the description of the last
// clicked mod.
class frmMain final : public QWidget {
    Q_OBJECT

public:
    frmMain(ProgramState& state, Ports& ports, ProgressPort& progress, QWidget* parent = nullptr);

    // Start-up: reads the mods into the catalogue and the list, then shows the window. False when
    // the program ended instead.
    bool Form_Load();

    QListWidget* DATList = nullptr;
    QLabel* labDesc = nullptr;

private:
    void DATList_ItemCheck(QListWidgetItem* item);
    void DATList_ItemClick(QListWidgetItem* item);

    ProgramState& state_;
    Ports& ports_;
    ProgressPort& progress_;
};

}  // namespace vrel
