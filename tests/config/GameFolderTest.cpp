#include "config/GameFolder.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "TempFolder.h"
#include "base/AnsiText.h"
#include "config/GamePaths.h"

namespace vrel {
namespace {

using testing::FakeEnvironment;
using testing::FakeMessageBox;
using testing::FakePickers;
using testing::FakeRegistry;
using testing::TempFolder;

const std::string kSep(1, static_cast<char>(std::filesystem::path::preferred_separator));

TEST(GameFolder, RegistryReadAsBoxText) {
    struct Case {
        const char* what;
        RegistryValue value;
        std::string text;
    };
    const Case cases[] = {
        {"a string value", std::string("C:\\Games\\Fallout2"), "C:\\Games\\Fallout2"},
        {"no value", std::monostate{}, ""},
        {"an empty string value", std::string(), ""},
        {"a number", std::uint32_t{4294967295u}, "4294967295"},
        {"zero", std::uint32_t{0}, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegistryText(c.value), c.text) << c.what;
    }
}

TEST(GameFolder, ReadsTheInstallersKeyAndValue) {
    FakeRegistry registry;
    registry.value = std::string("D:\\Fallout2");
    EXPECT_EQ(ReadDestPath(registry), RegistryValue(std::string("D:\\Fallout2")));
    ASSERT_EQ(registry.reads.size(), 1u);
    EXPECT_EQ(registry.reads[0], "SOFTWARE\\Interplay\\Fallout2\\1.0|DestPath");
}

TEST(GameFolder, ExecutableGetsExactlyOneSeparator) {
    struct Case {
        std::string folder;
        std::string executable;
    };
    const Case cases[] = {
        {"/", "/Fallout2.exe"},
        {"/games/fo2", "/games/fo2" + kSep + "Fallout2.exe"},
        {"/games/fo2/", "/games/fo2/Fallout2.exe"},
#ifdef _WIN32
        {"C:\\", "C:\\Fallout2.exe"},
        {"C:\\Games", "C:\\Games\\Fallout2.exe"},
        {"\\\\server\\games\\Fallout2", "\\\\server\\games\\Fallout2\\Fallout2.exe"},
#endif
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GameExecutable(DisplayToPath(c.folder)), DisplayToPath(c.executable)) << c.folder;
    }
}

// Guards against a network folder (two leading separators) getting the name glued to its last
// folder, which made every network game folder fail the test.
TEST(GameFolder, NetworkStyleFolderKeepsItsLastNameApart) {
    const std::string network = kSep + kSep + "server" + kSep + "games";
    EXPECT_EQ(GameExecutable(DisplayToPath(network)),
              DisplayToPath(network + kSep + "Fallout2.exe"));
}

class BrowseTest : public ::testing::Test {
protected:
    BrowseTest() {
        testing::WriteFile(folder_ / "game" / "FALLOUT2.EXE", "MZ");
        std::filesystem::create_directories(folder_ / "empty");
    }
    std::string Folder(const char* name) const { return (folder_ / name).string(); }

    TempFolder folder_;
    FakePickers pickers_;
    FakeMessageBox messages_;
};

TEST_F(BrowseTest, FolderWithTheGameIsTakenWithoutAQuestion) {
    pickers_.folders = {Folder("game")};
    EXPECT_EQ(BrowseGameFolder(pickers_, messages_), Folder("game"));  // found case-blind
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(pickers_.folderInstructions,
              std::vector<std::string>{"Select your Fallout 2 directory"});
}

TEST_F(BrowseTest, FolderWithTheGameGivenWithATrailingSeparator) {
    pickers_.folders = {Folder("game") + kSep};
    EXPECT_EQ(BrowseGameFolder(pickers_, messages_), Folder("game") + kSep);
    EXPECT_TRUE(messages_.shown.empty());
}

// The box's text was looked up through the ANSI code page, where this folder is "????" under
// Windows-1252, so the game in it was not found.
TEST_F(BrowseTest, FolderWithTheGameIsFoundWhateverItsName) {
    const std::filesystem::path games = folder_.path() / std::filesystem::path(u8"Игры Über");
    testing::WriteFile(games / "Fallout2.exe", "MZ");
    pickers_.folders = {PathToDisplay(games)};
    EXPECT_EQ(BrowseGameFolder(pickers_, messages_), PathToDisplay(games));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(BrowseTest, CancelledPickChangesNothing) {
    EXPECT_EQ(BrowseGameFolder(pickers_, messages_), std::nullopt);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(BrowseTest, FolderWithoutTheGameAskedAbout) {
    struct Case {
        const char* what;
        std::deque<std::optional<std::string>> picks;
        std::deque<MessageAnswer> answers;
        std::optional<std::string> box;
        std::size_t questions;
    };
    const Case cases[] = {
        {"Yes keeps it", {Folder("empty")}, {MessageAnswer::Yes}, Folder("empty"), 1},
        {"No then cancel leaves the box",
         {Folder("empty"), std::nullopt},
         {MessageAnswer::No},
         std::nullopt,
         1},
        {"No then the game's folder",
         {Folder("empty"), Folder("game")},
         {MessageAnswer::No},
         Folder("game"),
         1},
        {"No twice then Yes",
         {Folder("empty"), Folder("empty"), Folder("empty")},
         {MessageAnswer::No, MessageAnswer::No, MessageAnswer::Yes},
         Folder("empty"),
         3},
    };
    for (const Case& c : cases) {
        FakePickers pickers;
        FakeMessageBox messages;
        pickers.folders = c.picks;
        messages.answers = c.answers;
        EXPECT_EQ(BrowseGameFolder(pickers, messages), c.box) << c.what;
        ASSERT_EQ(messages.shown.size(), c.questions) << c.what;
        const MessageRequest& asked = messages.shown.front();
        EXPECT_EQ(asked.text, "I didn't found Fallout2.exe in that folder, continue anyway?");
        EXPECT_EQ(asked.title, "Warning");
        EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
        EXPECT_EQ(asked.icon, MessageIcon::Exclamation);
        EXPECT_TRUE(pickers.folders.empty()) << c.what;
    }
}

TEST(AutoLocate, FoundValueGoesIntoTheBoxSilently) {
    struct Case {
        RegistryValue value;
        std::string box;
    };
    const Case cases[] = {
        {std::string("C:\\Games\\Fallout2"), "C:\\Games\\Fallout2"},
        {std::string(), ""},
        {std::uint32_t{1234}, "1234"},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        FakeEnvironment environment;
        FakePickers pickers;
        FakeMessageBox messages;
        registry.value = c.value;
        EXPECT_EQ(AutoLocateGameFolder(registry, environment, pickers, messages), c.box);
        EXPECT_TRUE(messages.shown.empty()) << c.box;
    }
}

TEST(AutoLocate, NothingFoundIsToldAndEmptiesTheBox) {
    FakeRegistry registry;
    FakeEnvironment environment;
    FakePickers pickers;
    FakeMessageBox messages;
    EXPECT_EQ(AutoLocateGameFolder(registry, environment, pickers, messages), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Could not be found!");
    EXPECT_EQ(messages.shown[0].title, "Vrel");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace vrel
