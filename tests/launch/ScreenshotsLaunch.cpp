// Writes pictures of the game-launch windows with demo data into the folder given as argument.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "Fakes.h"
#include "ModListBuilder.h"
#include "launch/frmDCheck.h"

namespace {

// Shows the conflict window on `dats`, lets its timer run the check and saves the window.
bool SaveCheckedWindow(const std::vector<vrel::testing::DatSpec>& dats, const QString& file) {
    vrel::ProgramState state;
    vrel::testing::FillCatalogue(state.Mods, dats);
    vrel::testing::FakeSounds sounds;
    vrel::frmDCheck window(state, sounds, 0);
    const QString waiting = window.Label1->text();
    window.show();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.Label1->text() != waiting) {
            loop.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    if (window.Label1->text() == waiting) {
        std::fprintf(stderr, "the conflict check did not finish\n");
        return false;
    }
    QApplication::processEvents();
    return window.grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots_launch OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const std::string patches = "C:\\Games\\Vrel\\Patches\\";
    const std::vector<vrel::testing::DatSpec> minor{
        {patches + "patch000.dat",
         true,
         {"proto\\critters\\00000001.pro", "text\\english\\game\\misc.msg"}},
        {patches + "betterguns.dat",
         true,
         {"art\\items\\gun10.frm", "art\\intrface\\iface.frm", "proto\\items\\00000008.pro",
          "sound\\sfx\\wah1xxx1.acm"}},
        {patches + "hiresfaces.dat", false, {"art\\intrface\\iface.frm"}},
        {patches + "newui.dat",
         true,
         {"art\\intrface\\iface.frm", "art\\intrface\\endanim.frm", "sound\\sfx\\wah1xxx1.acm"}},
        {patches + "moreloot.dat",
         true,
         {"proto\\items\\00000008.pro", "art\\items\\gun10.frm", "data\\vault13.gam"}},
    };
    std::vector<vrel::testing::DatSpec> heavy = minor;
    heavy[4].Members.push_back("text\\english\\game\\misc.msg");
    heavy[4].Members.push_back("maps\\arcaves.map");
    heavy[3].Members.push_back("maps\\arcaves.map");
    const std::vector<vrel::testing::DatSpec> none{
        {patches + "patch000.dat", true, {"text\\english\\game\\misc.msg"}},
        {patches + "newui.dat", true, {"art\\intrface\\iface.frm"}},
    };
    bool saved = SaveCheckedWindow(minor, out.filePath(QStringLiteral("frmDCheck.png")));
    saved = SaveCheckedWindow(heavy, out.filePath(QStringLiteral("frmDCheck_heavy.png"))) && saved;
    saved = SaveCheckedWindow(none, out.filePath(QStringLiteral("frmDCheck_none.png"))) && saved;
    return saved ? 0 : 1;
}
