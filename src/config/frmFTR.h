#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "config/GameSearch.h"
#include "config/ProgramSettings.h"
#include "platform/Ports.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vrel {

// The first-run window: asks for the game folder, then stores every other setting at its
// default, creates the game's data folder tree and hands over to the main window.
class frmFTR final : public QWidget {
    Q_OBJECT

public:
    // `showMainWindow` opens the main window (not modal); this window closes right after it.
    frmFTR(ProgramSettings& state, Ports& ports, std::function<void()> showMainWindow,
           QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtF2path = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* DebugBTN_cont = nullptr;
    QPushButton* Command2 = nullptr;
    // The arrow at the end of txtF2path that lists the folders found; only when several are.
    QAction* FoundFolders = nullptr;

    // Puts the first folder into the box (the empty text when there is none) and offers them
    // all, each named with its store and its whole path in a tooltip.
    void OfferGameFolders(const FoundGameFolders& found);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void MakeNotYetAvailable();
    void Command1_Click();
    void Command2_Click();
    void DebugBTN_cont_Click();

    ProgramSettings& state_;
    Ports& ports_;
    std::function<void()> showMainWindow_;
};

// The first start: shows the first-run window (deleted when closed) with the game folders found
// (FindGameFolders): the first in the box, the others offered by it; or an empty box. Returns the
// window.
frmFTR* FirstTimeRun_Routine(ProgramSettings& state, Ports& ports,
                             std::function<void()> showMainWindow);

}  // namespace vrel
