#pragma once

#include <QDialog>
#include <filesystem>

#include "config/VrelCFG.h"
#include "platform/ShellPort.h"
#include "platform/SoundPort.h"

namespace vrel {

class HotSpot;
class WindowDrag;

// The credits window shown modally by the main window's About button: a borderless picture with a
// close button, three links to files of the program folder (the README, the release notes, the
// licence) and a mail link.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    frmAbout(const VrelCFG& config, SoundPort& sounds, ShellPort& shell,
             std::filesystem::path programFolder, QWidget* parent = nullptr);

    HotSpot* Label1 = nullptr;  // close
    HotSpot* Label2 = nullptr;  // README
    HotSpot* Label3 = nullptr;  // release notes
    HotSpot* Label4 = nullptr;  // licence
    HotSpot* Label5 = nullptr;  // new e-mail
    WindowDrag* Drag = nullptr;

    void Label1_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const VrelCFG& config_;
    SoundPort& sounds_;
    ShellPort& shell_;
    std::filesystem::path programFolder_;
    QPixmap background_;
};

}  // namespace vrel
