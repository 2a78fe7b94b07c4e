#pragma once

#include <QDialog>
#include <filesystem>

#include "platform/Ports.h"
#include "state/ProgramState.h"

class QLabel;
class QPushButton;
class QTimer;

namespace vrel {

// The waiting window: starts the game in its own folder and stays until the game has ended.
class frmPlay final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPollInterval = 4000;

    frmPlay(ProgramState& state, Ports& ports, int pollInterval = kPollInterval,
            QWidget* parent = nullptr);

    // Starts `gameProgram` in its own folder and waits, modally, until it has ended. When it cannot
    // be started the user is told which file and why, and it returns at once.
    void Run(const std::filesystem::path& gameProgram);

    ProcessId GamePID = 0;
    QLabel* Picture2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnEExit = nullptr;
    QTimer* PROCESSTimer = nullptr;

    void PROCESSTimer_Timer();
    void btnEExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    bool Form_Load(const std::filesystem::path& gameProgram);

    ProgramState& state_;
    Ports& ports_;
    bool gameEnded_ = false;
};

}  // namespace vrel
