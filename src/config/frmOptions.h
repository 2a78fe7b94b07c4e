#pragma once

#include <QDialog>
#include <string_view>
#include <utility>
#include <vector>

#include "config/OptionsSettings.h"
#include "config/ProgramSettings.h"
#include "config/SettingsTable.h"
#include "platform/Ports.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vrel {

// The Options window: the four switches and the game folder, saved to vrel.cfg by Okay. Built
// anew from the settings at every opening.
class frmOptions final : public QDialog {
    Q_OBJECT

public:
    // With `rememberTicks` the window also has the box for it, kept outside vrel.cfg: Okay sets
    // it, and the caller saves it.
    frmOptions(ProgramSettings& state, Ports& ports, QWidget* parent = nullptr,
               bool* rememberTicks = nullptr);

    QGroupBox* Frame2 = nullptr;
    QCheckBox* genLoadModDesc = nullptr;
    QCheckBox* genDeleteDataFiles = nullptr;
    QCheckBox* genCheckConflicts = nullptr;
    QCheckBox* genSound = nullptr;
    QCheckBox* genRememberTicks = nullptr;  // only with the main window
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* pathFallout2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnOk = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void btnOk_Click();
    void Command1_Click();
    void Command2_Click();
    void ShowDescription(std::string_view text);

    ProgramSettings& state_;
    Ports& ports_;
    bool* rememberTicks_;
    // Each switch's check box with its line of the settings table, in the window's order.
    std::vector<std::pair<QCheckBox*, const SwitchSetting*>> switchBoxes_;
};

// Shows the Options window modally over `owner`: for the main window's Options button, or, with
// `notice` in its description label, for start-up to have the game folder chosen anew. True when
// Okay saved the settings.
bool ShowOptionsWindow(ProgramSettings& state, Ports& ports, QWidget* owner,
                       std::string_view notice = {}, bool* rememberTicks = nullptr);

}  // namespace vrel
