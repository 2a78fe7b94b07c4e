#include "app/ProgramStart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "Fakes.h"
#include "TempFolder.h"
#include "app/ProgForm.h"
#include "config/Main.h"
#include "config/frmFTR.h"
#include "config/frmOptions.h"

namespace vrel {
namespace {

namespace fs = std::filesystem;
using testing::WriteFile;

frmFTR* FirstRunWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<frmFTR*>(window); found != nullptr && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// Once start-up's Options window is open: notes its description, types `game` and presses Enter.
void ChooseInOptions(const fs::path& game, QString& notice) {
    QTimer::singleShot(10, [&game, &notice] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        if (options == nullptr) {
            ChooseInOptions(game, notice);
            return;
        }
        notice = options->Label1->text();
        options->pathFallout2->setText(QString::fromStdString(game.string()));
        QTest::keyClick(options->pathFallout2, Qt::Key_Return);
    });
}

// A first start with no game found, Continue; a second start with a folder that holds no game,
// Continue: the player always has a window that says what to do, and ends in the main window once
// the Options window that start-up opens has the right folder.
TEST(ProgramStart, AWrongGameFolderAlwaysLeavesAWindowToChooseItIn) {
    testing::TempFolder folder;
    const fs::path program = folder / "program";
    const fs::path game = folder / "game";
    const fs::path wrong = folder / "not the game";
    fs::create_directories(wrong);
    WriteFile(game / "Fallout2.exe", "MZ");
    WriteFile(game / "Patch000.dat", "the game's patch");
    WriteFile(program / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    testing::FakePorts fakes;
    ProgForm progress;

    for (const fs::path& typed : {fs::path(), wrong}) {
        ProgramState state;
        state.programFolder = program;
        const auto first = Main(state.Config, program, fakes.messages, fakes.lifetime);
        ASSERT_EQ(first, FirstWindow::FirstRun);
        ProgramStart start(state, fakes.ports, progress);
        ASSERT_TRUE(start.Open(*first));
        frmFTR* window = FirstRunWindow();
        ASSERT_NE(window, nullptr);
        window->txtF2path->setText(QString::fromStdString(typed.string()));
        QString notice;
        if (!typed.empty()) {
            ChooseInOptions(game, notice);
        }
        fakes.messages.shown.clear();
        QTest::keyClick(window->txtF2path, Qt::Key_Return);
        ASSERT_FALSE(fakes.messages.shown.empty());
        if (typed.empty()) {
            EXPECT_NE(fakes.messages.shown[0].text.find("Browse"), std::string::npos);
            EXPECT_EQ(FirstRunWindow(), window);
            window->close();
            continue;
        }
        EXPECT_NE(notice.toStdString().find("no Fallout2.exe in " + wrong.string()),
                  std::string::npos);
        ASSERT_NE(start.MainWindow(), nullptr);
        EXPECT_TRUE(start.MainWindow()->Window().isVisible());
        EXPECT_TRUE(fs::exists(program / "Patches" / "Patch000.dat"));
        EXPECT_EQ(fakes.lifetime.ended, 0);
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The next start goes straight to the main window with the folder chosen.
    ProgramState state;
    const auto first = Main(state.Config, program, fakes.messages, fakes.lifetime);
    EXPECT_EQ(first, FirstWindow::MainWindow);
    EXPECT_EQ(state.Config.cfgPath.Fallout2, game.string());
}

}  // namespace
}  // namespace vrel
