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
#include "config/frmOptions.h"

namespace vrel {
namespace {

// First starts with no game folder, then with one without the game, Continue, then a next start:
// the player always has a window that says what to do, never a closed program.
TEST(ProgramStart, AWrongGameFolderAlwaysLeavesAWindowToChooseItIn) {
    testing::TempFolder folder;
    const std::string game = (folder / "game").string(), wrong = folder.path().string();
    testing::WriteFile(folder / "game" / "Fallout2.exe", "MZ");
    testing::WriteFile(folder / "game" / "Patch000.dat", "the game's patch");
    testing::WriteFile(folder / "vrel.cfg", "[General]\r\nFirstTimeRun=1\r\n");
    testing::FakePorts fakes;
    ProgForm progress;
    QString notice;  // what start-up's Options window says as it opens; there the game is chosen
    const std::function<void()> chooseGame = [&] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        if (options == nullptr) {
            return QTimer::singleShot(10, &progress, chooseGame);
        }
        notice = options->Label1->text();
        options->pathFallout2->setText(QString::fromStdString(game));
        QTest::keyClick(options->pathFallout2, Qt::Key_Return);
    };
    for (const std::string& typed : {std::string(), wrong}) {
        ProgramState state;
        state.programFolder = folder.path();
        const auto first = Main(state.Config, folder.path(), fakes.messages, fakes.lifetime);
        ASSERT_EQ(first, FirstWindow::FirstRun);
        ProgramStart start(state, fakes.ports, progress);
        ASSERT_TRUE(start.Open(*first));
        frmFTR* window = start.FirstRunWindow();
        ASSERT_NE(window, nullptr);
        window->txtF2path->setText(QString::fromStdString(typed));
        QTimer::singleShot(10, &progress, typed.empty() ? [] {} : chooseGame);
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
