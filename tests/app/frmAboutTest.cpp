#include "app/frmAbout.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "Fakes.h"
#include "PointerMoves.h"
#include "app/HotSpot.h"
#include "app/WindowDrag.h"

namespace vrel {
namespace {

using testing::MovePointer;

const QColor kWhite(255, 255, 255);
const QColor kLightBlue(192, 192, 255);

class frmAboutTest : public ::testing::Test {
protected:
    frmAboutTest() {
        config_.cfgGeneral.Sound = true;
        about_.show();
    }

    VrelCFG config_;
    testing::FakeSounds sounds_;
    testing::FakeShell shell_;
    frmAbout about_{config_, sounds_, shell_, "/program"};
};

TEST_F(frmAboutTest, HotSpotsSitAtTheirPlacesWithNamesAndThePointer) {
    struct Spot {
        HotSpot* label;
        QRect geometry;
    };
    const std::vector<Spot> spots = {{about_.Label1, {196, 156, 89, 25}},
                                     {about_.Label2, {244, 116, 33, 9}},
                                     {about_.Label3, {204, 128, 73, 9}},
                                     {about_.Label4, {244, 136, 33, 9}},
                                     {about_.Label5, {24, 164, 69, 13}}};
    for (const auto& spot : spots) {
        EXPECT_EQ(spot.label->geometry(), spot.geometry) << spot.label->objectName().toStdString();
        EXPECT_FALSE(spot.label->accessibleName().isEmpty());
        EXPECT_EQ(spot.label->cursor().shape(), Qt::BitmapCursor);
    }
    EXPECT_EQ(about_.size(), QSize(300, 197));
    EXPECT_FALSE(about_.Label5->text().isEmpty());
    EXPECT_EQ(about_.Label5->ForeColor(), kWhite);
}

TEST_F(frmAboutTest, LinksOpenTheProgramFolderFilesSilentlyAndLeaveTheWindowOpen) {
    const std::vector<std::pair<HotSpot*, std::filesystem::path>> links = {
        {about_.Label2, "/program/README.md"},
        {about_.Label3, "/program/qrd.nfo"},
        {about_.Label4, "/program/LICENSE"}};
    for (const auto& [label, file] : links) {
        shell_.openedFiles.clear();
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(shell_.openedFiles, std::vector<std::filesystem::path>({file}));
        EXPECT_TRUE(about_.isVisible());
    }
    QTest::mouseClick(about_.Label5, Qt::LeftButton);
    EXPECT_EQ(shell_.opened, std::vector<std::string>({"mailto:"}));
    EXPECT_TRUE(about_.isVisible());
    EXPECT_TRUE(sounds_.played.empty());
}

TEST_F(frmAboutTest, MailLinkTurnsLightBlueUnderThePointerAndWhiteOnTheBareWindow) {
    MovePointer(about_.Label5, QPoint(5, 5));
    EXPECT_EQ(about_.Label5->ForeColor(), kLightBlue);
    MovePointer(about_.Label2, QPoint(5, 5));
    EXPECT_EQ(about_.Label5->ForeColor(), kLightBlue) << "another label leaves it light blue";
    MovePointer(&about_, QPoint(150, 60));
    EXPECT_EQ(about_.Label5->ForeColor(), kWhite);
}

TEST_F(frmAboutTest, CloseButtonClicksAndCloses) {
    QTest::mouseClick(about_.Label1, Qt::LeftButton);
    EXPECT_FALSE(about_.isVisible());
    EXPECT_EQ(about_.result(), QDialog::Accepted);
    ASSERT_EQ(sounds_.played.size(), 1u);
    EXPECT_EQ(sounds_.played[0], std::filesystem::path("/program") / "butin3.wav");
}

TEST_F(frmAboutTest, CloseButtonIsSilentWithSoundOff) {
    config_.cfgGeneral.Sound = false;
    QTest::mouseClick(about_.Label1, Qt::LeftButton);
    EXPECT_FALSE(about_.isVisible());
    EXPECT_TRUE(sounds_.played.empty());
}

TEST_F(frmAboutTest, PressOnTheBareWindowMovesIt) {
    QSignalSpy moves(about_.Drag, &WindowDrag::MoveStarted);
    const QPoint before = about_.pos();
    QTest::mousePress(&about_, Qt::LeftButton, {}, QPoint(150, 60));
    QTest::mouseMove(&about_, QPoint(160, 75));
    QTest::mouseRelease(&about_, Qt::LeftButton, {}, QPoint(160, 75));
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(about_.pos(), before + QPoint(10, 15));
}

}  // namespace
}  // namespace vrel
