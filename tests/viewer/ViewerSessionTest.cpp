#include "viewer/ViewerSession.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "TempFolder.h"
#include "viewer/ViewerTexts.h"

namespace vrel {
namespace {

using testing::WriteFile;

// Records what the logic asks of the window, in order.
class RecordingView final : public ViewerView {
public:
    void SetCaption(const std::string& caption) override { log.push_back("caption " + caption); }
    void SetLoadingCaption(const std::string& caption) override {
        log.push_back("loading " + caption);
    }
    void ShowWindow() override { log.push_back("show"); }
    void SetText(const std::string& shown) override {
        text = shown;
        log.push_back("text");
    }
    void SetColours(ColourScheme colours) override { schemes.push_back(colours); }
    void SetFontFace(const std::string& face, int points) override {
        fonts.push_back(face + " " + std::to_string(points));
    }
    void ShowExitSplash() override { ++splashes; }

    std::vector<std::string> log;
    std::string text;
    std::vector<ColourScheme> schemes;
    std::vector<std::string> fonts;
    int splashes = 0;
};

class ViewerSessionTest : public ::testing::Test {
protected:
    ViewerSessionTest() {
        std::filesystem::create_directories(programFolder_);
        std::filesystem::create_directories(startFolder_);
    }

    ViewerSession Session(const std::string& commandLine) {
        return ViewerSession({commandLine, programFolder_, startFolder_},
                             {messages_, lifetime_, pickers_}, view_);
    }
    void ExpectErrorExit(const std::string& text) {
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, text);
        EXPECT_EQ(messages_.shown[0].title, "Error!");
        EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(lifetime_.ended, 1);
        EXPECT_EQ(view_.splashes, 0);
    }

    testing::TempFolder folder_;
    std::filesystem::path programFolder_ = folder_ / "program";
    std::filesystem::path startFolder_ = folder_ / "start";
    testing::FakeMessageBox messages_;
    testing::FakeLifetime lifetime_;
    testing::FakePickers pickers_;
    RecordingView view_;
};

TEST_F(ViewerSessionTest, ThreeLineFileCountsZeroOneTwoThenThree) {
    WriteFile(programFolder_ / "qrd.nfo", "one\r\ntwo\r\nthree\r\n");
    ViewerSession session = Session("");
    session.Form_Load();
    EXPECT_EQ(view_.log, (std::vector<std::string>{
                             "caption " + StartCaption(),
                             "show",
                             "loading Loading file... 0 lines readed",
                             "loading Loading file... 1 lines readed",
                             "loading Loading file... 2 lines readed",
                             "text",
                             "caption 3 lines readed : Orvanis NFO Viewer : F1 to F8 set colors : "
                             "F11 and F12 set modes : ALT+L load",
                         }));
    EXPECT_EQ(view_.text, "one\r\ntwo\r\nthree\r\n");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(session.Ended());
}

TEST_F(ViewerSessionTest, StartCaptionNamesTheKeys) {
    EXPECT_EQ(StartCaption(),
              "NO FILE LOADED : Orvanis NFO Viewer : F1 to F8 set colors : F11 and F12 set modes "
              ": ALT+L load");
}

TEST_F(ViewerSessionTest, MissingReleaseNotesShowTheWindowThenTheErrorAndEnd) {
    ViewerSession session = Session("");
    session.Form_Load();
    EXPECT_EQ(view_.log, (std::vector<std::string>{"caption " + StartCaption(), "show"}));
    ExpectErrorExit("Error: File not found: " + (programFolder_ / "qrd.nfo").string());
    EXPECT_TRUE(session.Ended());
}

TEST_F(ViewerSessionTest, EmptyFileEndsWithTheError) {
    WriteFile(programFolder_ / "empty.nfo", "");
    Session("-f empty.nfo").Form_Load();
    ExpectErrorExit("Error: The file is empty: " + (programFolder_ / "empty.nfo").string());
}

TEST_F(ViewerSessionTest, NothingAfterFileSwitchEndsWithTheError) {
    Session("-f").Form_Load();
    ExpectErrorExit("Error: No file name follows -f");
}

TEST_F(ViewerSessionTest, SwitchAfterTheNameBecomesPartOfIt) {
    WriteFile(programFolder_ / "notes.nfo", "x");
    Session("-f notes.nfo -ns").Form_Load();
    ExpectErrorExit("Error: File not found: " + (programFolder_ / "notes.nfo -ns").string());
}

struct NamedFileCase {
    const char* CommandLine;
    const char* fileInProgramFolder;
    const char* content;
};
void PrintTo(const NamedFileCase& c, std::ostream* os) {
    *os << '"' << c.CommandLine << '"';
}

class NamedFileTest : public ViewerSessionTest,
                      public ::testing::WithParamInterface<NamedFileCase> {};

TEST_P(NamedFileTest, LoadsTheFileNamedAfterTheSwitch) {
    WriteFile(programFolder_ / "qrd.nfo", "release notes");
    WriteFile(programFolder_ / GetParam().fileInProgramFolder, GetParam().content);
    Session(GetParam().CommandLine).Form_Load();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(view_.text, std::string(GetParam().content) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamedFileTest,
    ::testing::Values(NamedFileCase{"-f notes.nfo", "notes.nfo", "one space"},
                      NamedFileCase{"-f  notes.nfo", " notes.nfo", "two spaces"},
                      NamedFileCase{"-ns -f my notes.txt", "my notes.txt", "switch first"}));

TEST_F(ViewerSessionTest, RelativeNameIsLookedUpInTheProgramFolderFirst) {
    WriteFile(startFolder_ / "here.nfo", "from the start folder");
    WriteFile(programFolder_ / "here.nfo", "from the program folder");
    WriteFile(startFolder_ / "only.nfo", "only in the start folder");
    Session("-f here.nfo").Form_Load();
    EXPECT_EQ(view_.text, "from the program folder\r\n");
    Session("-f only.nfo").Form_Load();
    EXPECT_EQ(view_.text, "only in the start folder\r\n");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ViewerSessionTest, ReleaseNotesComeFromTheProgramFolderOnly) {
    WriteFile(startFolder_ / "qrd.nfo", "someone else's notes");
    WriteFile(programFolder_ / "qrd.nfo", "our notes");
    Session("").Form_Load();
    EXPECT_EQ(view_.text, "our notes\r\n");
}

TEST_F(ViewerSessionTest, OpenSwitchWinsAndAsksWithThreeFiltersInTheProgramFolder) {
    WriteFile(programFolder_ / "qrd.nfo", "release notes");
    for (const char* commandLine : {"-o", "-f qrd.nfo -o", "-o -f qrd.nfo", "-f info-old.nfo"}) {
        pickers_.fileFilters.clear();
        Session(commandLine).Form_Load();
        ASSERT_EQ(pickers_.fileFilters.size(), 1u) << commandLine;
        const auto& filters = pickers_.fileFilters[0];
        ASSERT_EQ(filters.size(), 3u);
        EXPECT_EQ(filters[0].Description, "NFO Files (*.nfo)");
        EXPECT_EQ(filters[0].Pattern, "*.nfo");
        EXPECT_EQ(filters[1].Description, "TXT Files (*.txt)");
        EXPECT_EQ(filters[1].Pattern, "*.txt");
        EXPECT_EQ(filters[2].Description, "All files (*.*)");
        EXPECT_EQ(filters[2].Pattern, "*.*");
        EXPECT_EQ(pickers_.startFolders.back(), programFolder_.string());
    }
    // Every dialog was cancelled: nothing loaded, no failure.
    EXPECT_TRUE(view_.text.empty());
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(lifetime_.ended, 0);
}

TEST_F(ViewerSessionTest, PickedFileLoadsAndTheNextDialogStartsInItsFolder) {
    WriteFile(folder_ / "elsewhere" / "picked.txt", "picked");
    pickers_.files.push_back((folder_ / "elsewhere" / "picked.txt").string());
    ViewerSession session = Session("-o");
    session.Form_Load();
    EXPECT_EQ(view_.text, "picked\r\n");
    EXPECT_EQ(view_.log.back(), "caption " + LoadedCaption(1));
    session.KeyUp(ViewerKey::L, {.Alt = true});
    EXPECT_EQ(pickers_.startFolders, (std::vector<std::string>{programFolder_.string(),
                                                               (folder_ / "elsewhere").string()}));
}

TEST_F(ViewerSessionTest, PickedFileThatIsMissingEndsWithTheError) {
    pickers_.files.push_back((folder_ / "gone.nfo").string());
    Session("-o").Form_Load();
    ExpectErrorExit("Error: File not found: " + (folder_ / "gone.nfo").string());
}

TEST_F(ViewerSessionTest, KeysReachTheWindow) {
    ViewerSession session = Session("");
    session.KeyUp(ViewerKey::F1, {});
    session.KeyUp(ViewerKey::F8, {.Shift = true});
    session.KeyUp(ViewerKey::F12, {.Ctrl = true});
    session.KeyUp(ViewerKey::F11, {});
    session.KeyUp(ViewerKey::Other, {.Alt = true});
    ASSERT_EQ(view_.schemes.size(), 2u);
    EXPECT_EQ(view_.schemes[0].Back, 0x000000u);
    EXPECT_EQ(view_.schemes[1].Back, 0xFFC0FFu);
    EXPECT_EQ(view_.fonts, (std::vector<std::string>{"Fixedsys 9", "Terminal 9"}));
    EXPECT_TRUE(pickers_.fileFilters.empty());
}

struct CloseCase {
    const char* CommandLine;
    int splashes;
    int ended;
};
void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << '"' << c.CommandLine << '"';
}

class ClosingTest : public ViewerSessionTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTest, NoSplashSwitchEndsAtOnceOtherwiseTheSplashShows) {
    ViewerSession session = Session(GetParam().CommandLine);
    session.KeyUp(ViewerKey::Escape, {});
    session.QueryUnload();
    EXPECT_EQ(view_.splashes, GetParam().splashes);
    EXPECT_EQ(lifetime_.ended, GetParam().ended);
}

INSTANTIATE_TEST_SUITE_P(Closing, ClosingTest,
                         ::testing::Values(CloseCase{"", 2, 0}, CloseCase{"-ns", 0, 2},
                                           CloseCase{"-f notes.nfo -ns", 0, 2},
                                           CloseCase{"-NS", 2, 0}));

}  // namespace
}  // namespace vrel
