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

// Once start-up's Options window is open: notes what it says, types `game` and presses Enter.
void ChooseInOptions(const std::string& game, QString& notice) {
    QTimer::singleShot(10, [&game, &notice] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        if (options == nullptr) {
            return ChooseInOptions(game, notice);
        }
        notice = options->Label1->text();
        options->pathFallout2->setText(QString::fromStdString(game));
        QTest::keyClick(options->pathFallout2, Qt::Key_Return);
    });
}

// First starts with no game folder, then with one without the game, Continue, then a next start:
// the player always has a window that says what to do, never a closed program.
TEST(ProgramStart, AWrongGameFolderAlwaysLeavesAWindowToChooseItIn) {
    testing::TempFolder folder;
    const std::string game = (folder / "game").string(), wrong = (folder / "wrong").string();
    std::filesystem::create_directories(wrong);
    testing::WriteFile(folder / "game" / "Fallout2.exe", "MZ");
    testing::WriteFile(folder / "game" / "Patch000.dat", "the game's patch");
    testing::WriteFile(folder / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    testing::FakePorts fakes;
    ProgForm progress;
    for (const std::string& typed : {std::string(), wrong}) {
        ProgramState state;
        state.programFolder = folder.path();
        const auto first = Main(state.Config, folder.path(), fakes.messages, fakes.lifetime);
        ASSERT_EQ(first, FirstWindow::FirstRun);
        ProgramStart start(state, fakes.ports, progress);
        ASSERT_TRUE(start.Open(*first));
        frmFTR* window = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            window =
                shown->isVisible() && window == nullptr ? qobject_cast<frmFTR*>(shown) : window;
        }
        ASSERT_NE(window, nullptr);
        window->txtF2path->setText(QString::fromStdString(typed));
        QString notice;
        ChooseInOptions(game, notice);
        QTest::keyClick(window->txtF2path, Qt::Key_Return);
        if (typed.empty()) {
            EXPECT_NE(fakes.messages.Texts().back().find("Browse"), std::string::npos);
            EXPECT_TRUE(window->isVisible());
            window->close();
            continue;
        }
        EXPECT_NE(notice.toStdString().find("no Fallout2.exe in " + wrong), std::string::npos);
        EXPECT_TRUE(start.MainWindow()->Window().isVisible());
        EXPECT_EQ(fakes.lifetime.ended, 0);
    }
    ProgramState next;
    EXPECT_EQ(Main(next.Config, folder.path(), fakes.messages, fakes.lifetime),
              FirstWindow::MainWindow);
    EXPECT_EQ(next.Config.cfgPath.Fallout2, game);
}

}  // namespace
}  // namespace vrel
