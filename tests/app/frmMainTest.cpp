#include "app/frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "Fakes.h"
#include "TempFolder.h"
#include "app/ProgForm.h"
#include "app/Startup.h"
#include "archive/DatWriter.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::WriteFile;

class frmMainTest : public ::testing::Test {
protected:
    frmMainTest() {
        state_.programFolder = folder_ / "program";
        state_.Config.cfgPath.Fallout2 = (folder_ / "game").string();
        state_.Config.cfgGeneral.LoadModDesc = true;
        std::filesystem::create_directories(folder_ / "game");
        WriteFile(state_.programFolder / "Patches" / "a.dat",
                  BuildDatImage({{.Name = "amoddesc.qrd", .Content = Bytes("First mod")}}));
        WriteFile(state_.programFolder / "Patches" / "Patch000.DAT", "x");
        WriteFile(state_.programFolder / "Patches" / "z.dat",
                  BuildDatImage({{.Name = "z.txt", .Content = Bytes("z")}}));
    }

    testing::TempFolder folder_;
    ProgramState state_;
    testing::FakeMessageBox messages_;
    testing::FakeLifetime lifetime_;
    testing::FakeSounds sounds_;
    testing::FakePickers pickers_;
    testing::FakeRegistry registry_;
    testing::FakeProcesses processes_;
    testing::FakeShell shell_;
    Ports ports_{messages_, lifetime_, sounds_, pickers_, registry_, processes_, shell_};
    ProgForm progress_;
};

TEST_F(frmMainTest, LoadFillsRowsInCatalogueOrderAndShowsTheWindow) {
    frmMain window(state_, ports_, progress_);
    ASSERT_TRUE(window.Form_Load());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(progress_.isVisible());
    EXPECT_FALSE(state_.LoadingList);
    EXPECT_EQ(window.windowTitle().toStdString(), MainWindowCaption());
    ASSERT_EQ(window.DATList->count(), 3);
    EXPECT_EQ(window.DATList->item(0)->text(), "Patch000.DAT");
    EXPECT_EQ(window.DATList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(window.DATList->item(1)->text(), "a.dat");
    EXPECT_EQ(window.DATList->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(window.DATList->currentRow(), 0);
    EXPECT_TRUE(state_.FalloutDats.Item(1).Selected);  // set by start-up, not by the tick
    EXPECT_FALSE(state_.FalloutDats.Item(2).Selected);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(window.DATList->accessibleName(), "Mods");
}

TEST_F(frmMainTest, TickSetsTheSameCatalogueItemAndClickShowsItsDescription) {
    frmMain window(state_, ports_, progress_);
    ASSERT_TRUE(window.Form_Load());
    window.DATList->item(2)->setCheckState(Qt::Checked);
    EXPECT_TRUE(state_.FalloutDats.Item(3).Selected);
    EXPECT_FALSE(state_.FalloutDats.Item(2).Selected);
    window.DATList->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(state_.FalloutDats.Item(3).Selected);

    const QRect row = window.DATList->visualItemRect(window.DATList->item(1));
    QTest::mouseClick(window.DATList->viewport(), Qt::LeftButton, {}, row.center() + QPoint(30, 0));
    EXPECT_EQ(window.labDesc->text(), "First mod");
    EXPECT_FALSE(state_.FalloutDats.Item(2).Selected);
}

TEST_F(frmMainTest, LeavingAtTheFirstQuestionEndsWithoutShowingTheWindow) {
    std::filesystem::remove_all(state_.programFolder / "Patches");
    messages_.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    frmMain window(state_, ports_, progress_);
    EXPECT_FALSE(window.Form_Load());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(lifetime_.ended, 1);
}

}  // namespace
}  // namespace vrel
