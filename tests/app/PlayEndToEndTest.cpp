// Play through the real windows with the stand-in game: what the game sees while it runs, and the
// game folder afterwards; and the first start through the real windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <map>

#include "DatImage.h"
#include "Fakes.h"
#include "FolderSnapshot.h"
#include "TempFolder.h"
#include "app/HotSpot.h"
#include "app/MainWindowSet.h"
#include "app/ProgForm.h"
#include "app/ProgramStart.h"
#include "config/DataFolders.h"
#include "config/Main.h"
#include "config/frmOptions.h"
#ifdef _WIN32
#include "platform/win32/Win32Processes.h"
using GameProcesses = vrel::Win32Processes;
#else
#include "platform/posix/PosixProcesses.h"
using GameProcesses = vrel::PosixProcesses;
#endif

namespace vrel {
namespace {

using testing::Bytes;
using testing::WriteFile;

namespace fs = std::filesystem;

// The stand-in's record: relative path -> "size\tro|rw\thash".
std::map<std::string, std::string> ReadReport(const fs::path& report) {
    std::map<std::string, std::string> files;
    std::ifstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        files[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return files;
}

// The stand-in's hash of a file's content.
std::string Fnv1a(std::string_view text) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return std::to_string(hash);
}

// Clicks Continue in the conflict window once its check has shown a verdict; `lines` gets the
// lines it listed.
void ContinueWhenChecked(QStringList* lines = nullptr) {
    QTimer::singleShot(20, [lines] {
        auto* check = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* go =
            check != nullptr ? check->findChild<QPushButton*>(QStringLiteral("btnGo")) : nullptr;
        if (go == nullptr || !check->isVisible() ||
            check->findChild<QListWidget*>()->count() == 0) {
            ContinueWhenChecked(lines);
            return;
        }
        const QListWidget* shown = check->findChild<QListWidget*>();
        for (int row = 0; lines != nullptr && row < shown->count(); ++row) {
            lines->push_back(shown->item(row)->text());
        }
        QTest::mouseClick(go, Qt::LeftButton);
    });
}

TEST(PlayEndToEnd, ModsReachTheGameAndTheGameFolderEndsAsItWas) {
    testing::TempFolder folder;
    const fs::path program = folder / "program";
    const fs::path game = folder / "game";
    const fs::path patches = program / "Patches";
    fs::create_directories(game);
    CreateDataFolders(game.string());
    fs::copy_file(VREL_STANDIN_GAME, game / "Fallout2.exe");
    WriteFile(game / "Data" / "text" / "english" / "game" / "misc.msg", "the player's own edit");
    const auto before = testing::SnapshotFolder(game);

    WriteFile(patches / "patch000.dat",
              BuildDatImage({{.Name = "text\\english\\game\\proto.msg", .Content = Bytes("p")}}));
    WriteFile(
        patches / "a_first.dat",
        BuildDatImage({{.Name = "amoddesc.qrd", .Content = Bytes("First")},
                       {.Name = "ART\\CRITTERS\\HMJMPSAA.FRM",
                        .Content = Bytes(std::string(3000, 'c')),
                        .Storage = MemberStorage::Compressed},
                       {.Name = "text\\english\\game\\misc.msg", .Content = Bytes("first copy")},
                       {.Name = "newmod\\readme.txt",
                        .Content = Bytes("new folder"),
                        .Storage = MemberStorage::Stored}}));
    WriteFile(patches / "b_second.dat",
              BuildDatImage({{.Name = "proto\\items\\00000001.pro", .Content = Bytes("proto")},
                             {.Name = "..\\..\\outside.txt", .Content = Bytes("never")},
                             {.Name = "broken.int",
                              .Content = Bytes(std::string(900, 'x')),
                              .Storage = MemberStorage::Compressed,
                              .RealSize = 100}}));
    // A name beyond ASCII: kept as a narrow string on Windows (UTF-8 one way, the code page the
    // other) it named no file, and the archive was never unpacked.
    WriteFile(patches / u8"c_третий.dat", BuildDatImage({{.Name = "text\\english\\game\\misc.msg",
                                                          .Content = Bytes("third copy wins")}}));
    WriteFile(patches / "d_unticked.dat",
              BuildDatImage({{.Name = "maps\\never.map", .Content = Bytes("no")}}));

    ProgramState state;
    state.ProgramFolder = program;
    state.Config.cfgPath.Fallout2 = game.string();
    state.Config.cfgGeneral = {
        .Sound = false, .LoadModDesc = true, .DeleteDataFiles = true, .CheckConflicts = true};
    testing::FakeMessageBox messages;
    testing::FakeLifetime lifetime;
    testing::FakeSounds sounds;
    testing::FakePickers pickers;
    testing::FakeRegistry registry;
    GameProcesses processes;
    testing::FakeShell shell;
    testing::FakeEnvironment environment;
    Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell, environment};
    ProgForm progress;

    const fs::path report = folder / "report.txt";
    qputenv("VREL_STANDIN_REPORT", QByteArray::fromStdString(report.string()));
    qputenv("VREL_STANDIN_SECONDS", "0.2");
    MainWindowSet windows(state, ports, progress, 50, 10);
    ASSERT_TRUE(windows.Form_Load());
    QAbstractItemModel* rows = windows.Window().DATList->model();
    ASSERT_EQ(rows->rowCount(), 5);
    for (int row = 1; row <= 3; ++row) {
        rows->setData(rows->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }
    ContinueWhenChecked();
    QTest::mouseClick(windows.Window().findChild<HotSpot*>(QStringLiteral("cmdPlay")),
                      Qt::LeftButton);
    qunsetenv("VREL_STANDIN_REPORT");
    qunsetenv("VREL_STANDIN_SECONDS");

    const auto seen = ReadReport(report);
    ASSERT_FALSE(seen.empty()) << "the stand-in game did not run";
    EXPECT_EQ(seen.at("cwd"), game.string());
    EXPECT_EQ(seen.at("Data/text/english/game/misc.msg"), "15\trw\t" + Fnv1a("third copy wins"));
    EXPECT_EQ(seen.at("Data/proto/items/00000001.pro").substr(0, 5), "5\tro\t");
    EXPECT_EQ(seen.count("Data/art/critters/HMJMPSAA.FRM"), 1u);
    EXPECT_EQ(seen.count("Data/newmod/readme.txt"), 1u);
    EXPECT_EQ(seen.count("Data/text/english/game/proto.msg"), 1u);
    EXPECT_EQ(seen.count("Data/broken.int"), 0u);
    EXPECT_EQ(seen.count("Data/maps/never.map"), 0u);
    EXPECT_FALSE(fs::exists(folder / "outside.txt"));

    // One message after unpacking names both members that were left out.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("outside.txt"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("broken.int"), std::string::npos);

    EXPECT_EQ(testing::SnapshotFolder(game), before);
    EXPECT_TRUE(windows.Window().isVisible());
    EXPECT_FALSE(progress.isVisible());
    for (int row = 1; row <= 3; ++row) {
        EXPECT_TRUE(state.Mods.Ticked(row + 1));  // the conflict check leaves the ticks
    }
    EXPECT_EQ(lifetime.ended, 0);
}

// A game folder with the stand-in game under `exeName`, a program folder with the game's patch,
// and the real windows over them; the stand-in reports what it saw to `report`.
class StandInPlay : public ::testing::Test {
protected:
    void Prepare(const char* exeName) {
        fs::create_directories(game);
        CreateDataFolders(game);
        fs::copy_file(VREL_STANDIN_GAME, game / exeName);
        WriteFile(program / "Patches" / "patch000.dat",
                  BuildDatImage({{.Name = "text\\p.msg", .Content = Bytes("p")}}));
        state.ProgramFolder = program;
        state.Config.cfgPath.Fallout2 = game.string();
    }
    // Loads the windows; `beforePlay` acts on the main window, then Play is clicked.
    void Play(const std::function<void(frmMain&)>& beforePlay) {
        qputenv("VREL_STANDIN_REPORT", QByteArray::fromStdString(report.string()));
        MainWindowSet windows(state, ports, progress, 50, 10);
        ASSERT_TRUE(windows.Form_Load());
        beforePlay(windows.Window());
        QTest::mouseClick(windows.Window().findChild<HotSpot*>(QStringLiteral("cmdPlay")),
                          Qt::LeftButton);
        qunsetenv("VREL_STANDIN_REPORT");
    }

    testing::TempFolder folder;
    const fs::path program = folder / "program";
    const fs::path game = folder / "game";
    const fs::path report = folder / "report.txt";
    ProgramState state;
    testing::FakePorts fakes;
    GameProcesses processes;
    Ports ports{fakes.messages, fakes.lifetime, fakes.sounds, fakes.pickers,
                fakes.registry, processes,      fakes.shell,  fakes.environment};
    ProgForm progress;
};

// The player moves b.dat above a.dat: the conflict window names them in the new order, and a.dat,
// now the later one, is the mod whose file the game reads.
TEST_F(StandInPlay, TheModThePlayerMovedDownWinsItsFiles) {
    Prepare("Fallout2.exe");
    WriteFile(program / "Patches" / "a.dat",
              BuildDatImage({{.Name = "maps\\shared.map", .Content = Bytes("from a")}}));
    WriteFile(program / "Patches" / "b.dat",
              BuildDatImage({{.Name = "maps\\shared.map", .Content = Bytes("from b, longer")}}));
    state.Config.cfgGeneral = {.DeleteDataFiles = true, .CheckConflicts = true};
    QStringList lines;
    Play([&](frmMain& window) {
        QAbstractItemModel* rows = window.DATList->model();
        rows->setData(rows->index(1, 0), Qt::Checked, Qt::CheckStateRole);
        rows->setData(rows->index(2, 0), Qt::Checked, Qt::CheckStateRole);
        window.DATList->setCurrentIndex(rows->index(2, 0));
        window.actMoveUp->trigger();  // as Alt+Up does
        ASSERT_EQ(rows->index(1, 0).data().toString(), "b.dat");
        ContinueWhenChecked(&lines);
    });

    EXPECT_EQ(lines, QStringList({"maps\\shared.map on b.dat conflicts with a.dat (a.dat wins)"}));
    const auto seen = ReadReport(report);
    ASSERT_FALSE(seen.empty()) << "the stand-in game did not run";
    EXPECT_EQ(seen.at("Data/maps/shared.map"), "6\trw\t" + Fnv1a("from a"));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(StandInPlay, TheGameIsStartedUnderTheNameItWasFoundBy) {
    Prepare("FALLOUT2.EXE");
    WriteFile(program / "Patches" / "mod.dat",
              BuildDatImage({{.Name = "maps\\m.map", .Content = Bytes("m")}}));
    const auto before = testing::SnapshotFolder(game);
    state.Config.cfgGeneral = {.DeleteDataFiles = true};
    Play([](frmMain&) {});

    EXPECT_TRUE(fakes.messages.shown.empty());
    const auto seen = ReadReport(report);
    ASSERT_FALSE(seen.empty()) << "the stand-in game did not run";
    EXPECT_EQ(seen.count("Data/text/p.msg"), 1u);
    EXPECT_EQ(testing::SnapshotFolder(game), before);
    EXPECT_EQ(fakes.lifetime.ended, 0);
}

// First starts with no game folder, then with one without the game, Continue, then a next start:
// the player always has a window that says what to do, never a closed program.
TEST(StartEndToEnd, AWrongGameFolderAlwaysLeavesAWindowToChooseItIn) {
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
        state.ProgramFolder = folder.path();
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
    }
    ProgramState next;
    EXPECT_EQ(Main(next.Config, folder.path(), fakes.messages, fakes.lifetime),
              FirstWindow::MainWindow);
    EXPECT_EQ(next.Config.cfgPath.Fallout2, game);
}

}  // namespace
}  // namespace vrel
