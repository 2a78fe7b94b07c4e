#include "config/GameSearch.h"

#include <gtest/gtest.h>

#include <functional>

#include "Fakes.h"
#include "TempFolder.h"
#include "base/AnsiText.h"
#include "config/GameFolder.h"
#include "config/SteamVdf.h"
#ifndef _WIN32
#include "platform/posix/WineRegistry.h"
#endif

namespace vrel {
namespace {

namespace fs = std::filesystem;
using testing::FakeEnvironment;
using testing::FakeMessageBox;
using testing::FakePickers;
using testing::FakeRegistry;
using testing::TempFolder;
using testing::WriteFile;

const char* const kGogKey = "SOFTWARE\\GOG.com\\Games";
const char* const kDestPath = "SOFTWARE\\Interplay\\Fallout2\\1.0|DestPath";

// A Steam escaped path as libraryfolders.vdf writes it.
std::string VdfPath(const fs::path& folder) {
    std::string text;
    for (const char c : PathToDisplay(folder)) {
        text += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return text;
}

std::string LibraryFolders(const std::vector<fs::path>& libraries) {
    std::string text = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        text +=
            "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + VdfPath(libraries[i]) +
            "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"contentid\"\t\t\"5393764431939341339\"\n"
            "\t\t\"totalsize\"\t\t\"0\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"404262992\"\n"
            "\t\t\t\"38410\"\t\t\"488462148\"\n\t\t}\n\t}\n";
    }
    return text + "}\n";
}

std::string AppManifest(const std::string& installdir) {
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"38410\"\n\t\"Universe\"\t\t\"1\"\n"
           "\t\"name\"\t\t\"Fallout 2: A Post Nuclear Role Playing Game\"\n"
           "\t\"StateFlags\"\t\t\"4\"\n\t\"installdir\"\t\t\"" +
           installdir +
           "\"\n\t\"LastUpdated\"\t\t\"1617782059\"\n\t\"SizeOnDisk\"\t\t\"488462148\"\n"
           "\t\"InstalledDepots\"\n\t{\n\t\t\"38411\"\n\t\t{\n\t\t\t\"manifest\"\t\t"
           "\"6925824403051640329\"\n\t\t\t\"size\"\t\t\"488462148\"\n\t\t}\n\t}\n"
           "\t\"UserConfig\"\n\t{\n\t\t\"language\"\t\t\"english\"\n\t}\n}\n";
}

// A machine with a home folder and a second drive, and fakes of the registry and environment.
struct Machine {
    Machine() {
        environment_.variables["HOME"] = PathToDisplay(Home());
        fs::create_directories(Home());
    }
    fs::path Home() const { return folder_ / "home"; }
    fs::path Drive2() const { return folder_ / "drive2"; }
    fs::path Game(const fs::path& folder, const char* exe = "Fallout2.exe") const {
        WriteFile(folder / exe, "MZ");
        return folder;
    }
    // A Steam library holding the game with its manifest, in the folder "Fallout 2".
    fs::path SteamGame(const fs::path& library) const {
        WriteFile(library / "steamapps" / "appmanifest_38410.acf", AppManifest("Fallout 2"));
        return Game(library / "steamapps" / "common" / "Fallout 2", "FALLOUT2.EXE");
    }
    void GogRecord(RegistryView view, const std::string& game, const fs::path& folder,
                   const char* name = "Fallout 2") {
        const std::string mark = FakeRegistry::ViewMark(view);
        registry_.subkeys[mark + kGogKey].push_back(game);
        const std::string key = mark + kGogKey + "\\" + game;
        registry_.values[key + "|gameName"] = std::string(name);
        registry_.values[key + "|path"] = PathToDisplay(folder);
    }
    std::vector<std::string> Found() { return FindGameFolders(registry_, environment_).Folders; }

    TempFolder folder_;
    FakeRegistry registry_;
    FakeEnvironment environment_;
};

std::vector<std::string> Display(const std::vector<fs::path>& folders) {
    std::vector<std::string> texts;
    for (const fs::path& folder : folders) {
        texts.push_back(PathToDisplay(folder));
    }
    return texts;
}

TEST(GameSearch, FindsTheGameInEachStoresRecords) {
    struct Case {
        const char* what;
        std::function<std::vector<fs::path>(Machine&)> make;  // gives the folders expected
    };
    const Case cases[] = {
        {"a GOG record in the 32-bit view",
         [](Machine& t) {
             const fs::path game = t.Game(t.Drive2() / "GOG Games" / "Fallout 2");
             t.GogRecord(RegistryView::Bits32, "1440151285", game);
             return std::vector{game};
         }},
        {"a GOG record in the 64-bit view, found by the game's name",
         [](Machine& t) {
             const fs::path game = t.Game(t.Drive2() / "Games" / "FO2", "fallout2.exe");
             t.GogRecord(RegistryView::Bits64, "2000000001", t.Drive2() / "Other", "Other Game");
             t.GogRecord(RegistryView::Bits64, "2000000002", game);
             return std::vector{game};
         }},
        {"a Steam library on a second drive, Steam's folder from the registry",
         [](Machine& t) {
             const fs::path steam = t.folder_ / "Program Files (x86)" / "Steam";
             const fs::path library = t.Drive2() / "SteamLibrary";
             WriteFile(steam / "steamapps" / "libraryfolders.vdf",
                       LibraryFolders({steam, library}));
             t.registry_.values["SOFTWARE\\Valve\\Steam|InstallPath"] = PathToDisplay(steam);
             return std::vector{t.SteamGame(library)};
         }},
        {"Steam's own folder in its usual place on Linux, with an old libraryfolders.vdf",
         [](Machine& t) {
             const fs::path steam = t.Home() / ".local" / "share" / "Steam";
             const fs::path library = t.Drive2() / "SteamLibrary";
             WriteFile(steam / "steamapps" / "libraryfolders.vdf",
                       "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1617782059\"\n"
                       "\t\"ContentStatsID\"\t\t\"-5393764431939341339\"\n\t\"1\"\t\t\"" +
                           VdfPath(library) + "\"\n}\n");
             return std::vector{t.SteamGame(steam), t.SteamGame(library)};
         }},
        {"a Flatpak Steam",
         [](Machine& t) {
             return std::vector{t.SteamGame(t.Home() / ".var" / "app" / "com.valvesoftware.Steam" /
                                            ".local" / "share" / "Steam")};
         }},
        {"Heroic's list of installed GOG games",
         [](Machine& t) {
             const fs::path game = t.Game(t.Home() / "Games" / "Heroic" / "Fallout 2");
             WriteFile(t.Home() / ".config" / "heroic" / "gog_store" / "installed.json",
                       "{\n  \"installed\": [\n    {\n      \"platform\": \"windows\",\n"
                       "      \"executable\": \"\",\n      \"install_path\": \"" +
                           VdfPath(game) +
                           "\",\n      \"install_size\": \"489.27 MiB\",\n"
                           "      \"is_dlc\": false,\n      \"version\": \"2.1.0.18\",\n"
                           "      \"appName\": \"1440151285\"\n    }\n  ]\n}\n");
             return std::vector{game};
         }},
        {"two installs: the installer's entry first, then GOG's",
         [](Machine& t) {
             const fs::path first = t.Game(t.Drive2() / "Interplay" / "Fallout2");
             const fs::path second = t.Game(t.Drive2() / "GOG Games" / "Fallout 2");
             t.registry_.values[kDestPath] = PathToDisplay(first);
             t.GogRecord(RegistryView::Bits32, "1440151285", second);
             t.GogRecord(RegistryView::Bits64, "1440151285", first);  // the same folder again
             return std::vector{first, second};
         }},
        {"records naming folders without the game are passed over",
         [](Machine& t) {
             fs::create_directories(t.Drive2() / "GOG Games" / "Fallout 2");
             t.GogRecord(RegistryView::Bits32, "1440151285",
                         t.Drive2() / "GOG Games" / "Fallout 2");
             const fs::path steam = t.Home() / ".local" / "share" / "Steam";
             WriteFile(steam / "steamapps" / "appmanifest_38410.acf", AppManifest("Fallout 2"));
             fs::create_directories(steam / "steamapps" / "common" / "Fallout 2");
             return std::vector<fs::path>{};
         }},
        {"damaged Steam files are passed over, the rest still counts",
         [](Machine& t) {
             const fs::path steam = t.Home() / ".local" / "share" / "Steam";
             const fs::path library = t.Drive2() / "SteamLibrary";
             std::string damaged = LibraryFolders({steam, library});
             damaged.resize(damaged.size() - 3);  // cut off inside the last block
             WriteFile(steam / "steamapps" / "libraryfolders.vdf", damaged);
             t.SteamGame(library);
             const fs::path flatpak = t.Home() / ".var" / "app" / "com.valvesoftware.Steam" /
                                      ".local" / "share" / "Steam";
             WriteFile(flatpak / "steamapps" / "appmanifest_38410.acf",
                       "\"AppState\"\n{\n\t\"installdir\"\t\t\"Fallout 2\n");
             t.Game(flatpak / "steamapps" / "common" / "Fallout 2");
             return std::vector{t.SteamGame(steam)};
         }},
#ifndef _WIN32
        {"one Steam folder reached by a link as well is offered once",
         [](Machine& t) {
             const fs::path steam = t.Home() / ".local" / "share" / "Steam";
             const fs::path game = t.SteamGame(steam);
             fs::create_directories(t.Home() / ".steam");
             fs::create_directory_symlink(steam, t.Home() / ".steam" / "steam");
             return std::vector{game};
         }},
#endif
    };
    for (const Case& c : cases) {
        Machine t;
        const std::vector<fs::path> expected = c.make(t);
        EXPECT_EQ(t.Found(), Display(expected)) << c.what;
    }
}

TEST(GameSearch, TheInstallersEntryStandsAsItIs) {
    Machine m;
    m.registry_.values[kDestPath] = std::uint32_t{77};
    const FoundGameFolders found = FindGameFolders(m.registry_, m.environment_);
    EXPECT_TRUE(found.Recorded);
    EXPECT_EQ(found.Folders, std::vector<std::string>{"77"});
}

TEST(GameSearch, AutoLocateAsksWhichWhenSeveralAreFound) {
    Machine m;
    const fs::path first = m.Game(m.Drive2() / "Interplay" / "Fallout2");
    const fs::path second = m.SteamGame(m.Home() / ".local" / "share" / "Steam");
    m.registry_.values[kDestPath] = PathToDisplay(first);
    FakePickers pickers;
    FakeMessageBox messages;
    pickers.picks = {1, std::nullopt};
    EXPECT_EQ(
        AutoLocateGameFolder(m.registry_, m.environment_, pickers, messages, PathToDisplay(second)),
        PathToDisplay(second));
    EXPECT_EQ(AutoLocateGameFolder(m.registry_, m.environment_, pickers, messages), std::nullopt);
    ASSERT_EQ(pickers.offered.size(), 2u);
    EXPECT_EQ(pickers.offered[0][1], "Steam: " + PathToDisplay(second));
    EXPECT_EQ(pickers.preselections, (std::vector<std::size_t>{1, 0}));  // the saved one first
    EXPECT_TRUE(messages.shown.empty());
}

#ifndef _WIN32
TEST(GameSearch, GogRecordsOfTheWinePrefixAndSteamsProtonPrefix) {
    Machine m;
    const fs::path prefix = m.Home() / ".wine";
    const fs::path gog = m.Game(prefix / "drive_c" / "GOG Games" / "Fallout 2");
    WriteFile(prefix / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
              "[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1207658930] 1700000000\n"
              "\"gameName\"=\"The Witcher 3\"\n\"path\"=\"C:\\\\GOG Games\\\\The Witcher 3\"\n\n"
              "[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1440151285] 1700000001\n"
              "#time=1da0c0ffee00001\n\"exe\"=\"C:\\\\GOG Games\\\\Fallout 2\\\\fallout2.exe\"\n"
              "\"gameID\"=\"1440151285\"\n\"gameName\"=\"Fallout 2\"\n"
              "\"path\"=\"C:\\\\GOG Games\\\\Fallout 2\"\n\n"
              "[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1440151285\\\\Extras] 1700000002\n"
              "\"x\"=\"y\"\n");
    // Steam's prefix for the game, where the game's own installer was run.
    const fs::path steam = m.Home() / ".local" / "share" / "Steam";
    const fs::path proton = steam / "steamapps" / "compatdata" / "38410" / "pfx";
    const fs::path interplay = m.Game(proton / "drive_c" / "Games" / "Fallout2");
    // GOG's installer run there too, into another folder: its record is the prefix's alone.
    const fs::path protonGog = m.Game(proton / "drive_c" / "GOG" / "Fallout 2");
    WriteFile(proton / "system.reg",
              "WINE REGISTRY Version 2\n\n[Software\\\\Interplay\\\\Fallout2\\\\1.0] 1\n"
              "\"DestPath\"=\"C:\\\\Games\\\\Fallout2\"\n\n"
              "[Software\\\\GOG.com\\\\Games\\\\1440151285] 2\n"
              "\"path\"=\"C:\\\\GOG\\\\Fallout 2\"\n");
    WineRegistry registry(prefix);
    const FoundGameFolders found = FindGameFolders(registry, m.environment_);
    EXPECT_EQ(found.Folders, Display({gog, interplay, protonGog}));
    EXPECT_EQ(found.Stores,
              (std::vector<std::string>{"GOG, Wine prefix", "Proton", "GOG, Proton"}));
}
#endif

TEST(SteamVdf, ReadsSteamsFilesAndRefusesDamagedOnes) {
    const std::string manifest = AppManifest("Fallout 2");
    const auto read = ParseVdf("\xEF\xBB\xBF// written by Steam\n" + manifest);
    ASSERT_TRUE(read);
    const VdfNode* state = read->Child("appstate");
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->Child("InstallDir")->Value, "Fallout 2");
    EXPECT_EQ(state->Child("InstalledDepots")->Child("38411")->Child("size")->Value, "488462148");
    const auto escaped = ParseVdf("\"a\" { \"path\" \"D:\\\\Steam \\\"Library\\\"\" bare value }");
    ASSERT_TRUE(escaped);
    EXPECT_EQ(escaped->Child("a")->Child("path")->Value, "D:\\Steam \"Library\"");
    EXPECT_EQ(escaped->Child("a")->Child("bare")->Value, "value");

    const char* const damaged[] = {
        "\"AppState\"\n{\n\t\"installdir\"\t\t\"Fallout 2\n}\n",  // an unclosed string
        "\"AppState\"\n{\n\t\"installdir\"\t\t\"Fallout 2\"\n",   // an unclosed block
        "\"AppState\"\n{\n}\n}\n",                                // a stray brace
        "\"AppState\"\n{\n\t\"installdir\"\n}\n",                 // a key without a value
        "\"AppState\"",                                           // a key at the very end
    };
    for (const char* text : damaged) {
        EXPECT_FALSE(ParseVdf(text)) << text;
    }
    EXPECT_FALSE(ParseVdf(std::string(100000, '{')));  // deeper than any Steam file
}

}  // namespace
}  // namespace vrel
