#include "platform/posix/WineRegistry.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/posix/WineDrives.h"
#include "platform/posix/WineRegFile.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;

const char* const kKey = "SOFTWARE\\Interplay\\Fallout2\\1.0";

const char* const kSample =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Interplay\\\\Fallout2] 1700000000\n"
    "#time=1da0c0ffee00000\n"
    "\"DestPath\"=\"wrong key\"\n"
    "\n"
    "[Software\\\\Interplay\\\\Fallout2\\\\1.0] 1700000001\n"
    "#time=1da0c0ffee00001\n"
    "@=\"default\"\n"
    "\"Binary\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n"
    "  18,19,1a\n"
    "\"DestPath\"=\"C:\\\\Games\\\\Fallout \\\"2\\\"\\tx\"\n"
    "\"Empty\"=\"\"\n"
    "\"Expand\"=str(2):\"%SystemRoot%\"\n"
    "\"Number\"=dword:0000ff1e\n"
    "\"Accents\"=\"caf\\xe9 \\xd83d\\xde00 \\x41BCDE\"\n"
    "\"Octal\"=\"a\\101\\0rest\"\n"
    "\n"
    "[Software\\\\Other] 1700000002\n"
    "\"DestPath\"=\"other key\"\n";

RegistryValue Read(std::string_view file, std::string_view key, std::string_view name,
                   long* status = nullptr) {
    RegistryValue value;
    const auto found = FindWineRegKey(file, key);
    const long result = found ? ReadKeyValue(*found, name, value) : -99;
    if (status != nullptr) {
        *status = result;
    }
    return value;
}

TEST(WineRegFile, ValuesOfTheKey) {
    struct Case {
        const char* name;
        RegistryValue value;
        long status;
    };
    const Case cases[] = {
        {"DestPath", std::string("C:\\Games\\Fallout \"2\"\tx"), 0},
        {"destpath", std::string("C:\\Games\\Fallout \"2\"\tx"), 0},  // names ignore case
        {"Empty", std::string(), 0},
        {"Number", std::uint32_t{0xff1e}, 0},
        {"", std::string("default"), 0},
        {"Accents",
         std::string("caf\xC3\xA9 \xF0\x9F\x98\x80 \xE4\x86\xBC"
                     "DE"),
         0},
        {"Octal", std::string("aA"), 0},  // the value ends at its NUL
        {"Binary", std::monostate{}, kRegistryOtherType},
        {"Expand", std::monostate{}, kRegistryOtherType},
        {"Missing", std::monostate{}, kRegistryValueMissing},
    };
    for (const Case& c : cases) {
        long status = 0;
        EXPECT_EQ(Read(kSample, kKey, c.name, &status), c.value) << c.name;
        EXPECT_EQ(status, c.status) << c.name;
    }
}

TEST(WineRegFile, KeysAreFoundByTheirWholePathIgnoringCase) {
    EXPECT_EQ(Read(kSample, "software\\interplay\\fallout2\\1.0", "DestPath").index(), 1u);
    EXPECT_EQ(Read(kSample, "Software\\Interplay\\Fallout2", "DestPath"),
              RegistryValue(std::string("wrong key")));
    EXPECT_FALSE(FindWineRegKey(kSample, "Software\\Interplay"));
    EXPECT_FALSE(FindWineRegKey(kSample, "Software\\Interplay\\Fallout2\\1"));
}

TEST(WineRegFile, MalformedTextFindsNothing) {
    const char* const files[] = {
        "",
        "garbage\n[Software\\\\Interplay\\\\Fallout2\\\\1.0]\n\"DestPath\"=\"x\"\n",
        "WINE REGISTRY Version 2\n[Software\\\\Interplay\\\\Fallout2\\\\1.0\n\"DestPath\"=\"x\"\n",
        "\x7f\x45\x4c\x46\x02\x01\x01\0\0\0",
    };
    for (const char* file : files) {
        EXPECT_EQ(Read(file, kKey, "DestPath"), RegistryValue()) << file;
    }
}

TEST(WineRegFile, MalformedValuesAreNotFound) {
    const std::string head =
        "WINE REGISTRY Version 2\n[Software\\\\Interplay\\\\Fallout2\\\\1.0]\n";
    const char* const lines[] = {
        "\"DestPath\"=\"unterminated\n",
        "\"DestPath\"=\"ends in a lone backslash\\",
        "\"DestPath\"=dword:\n",
        "\"DestPath\"=dword:123456789\n",
        "\"DestPath\"=dword:12zz\n",
        "\"DestPath\"\n",
        "\"DestPath=\"x\"\n",
        "\"DestPath\"=\n",
    };
    for (const char* line : lines) {
        EXPECT_EQ(Read(head + line, kKey, "DestPath"), RegistryValue()) << line;
    }
}

class WineRegistryTest : public ::testing::Test {
protected:
    WineRegistryTest() {
        std::filesystem::create_directories(folder_ / "drive_c" / "Games" / "Fallout2");
        std::filesystem::create_directories(folder_ / "dosdevices");
        std::filesystem::create_directory_symlink("../drive_c", folder_ / "dosdevices" / "c:");
        std::filesystem::create_directories(folder_ / "elsewhere" / "FO2");
        std::filesystem::create_directory_symlink(folder_ / "elsewhere",
                                                  folder_ / "dosdevices" / "d:");
    }
    void WriteRegistry(const std::string& keys) {
        WriteFile(folder_ / "system.reg", "WINE REGISTRY Version 2\n\n" + keys);
    }
    std::filesystem::path Canonical(const std::filesystem::path& path) const {
        return std::filesystem::canonical(path);
    }

    TempFolder folder_;
};

TEST_F(WineRegistryTest, DriveLettersBecomeThePrefixsFolders) {
    struct Case {
        const char* windows;
        std::optional<std::filesystem::path> folder;
    };
    const std::filesystem::path driveC = Canonical(folder_ / "drive_c");
    const Case cases[] = {
        {"C:\\Games\\Fallout2", driveC / "Games" / "Fallout2"},
        {"c:\\GAMES\\fallout2\\", driveC / "Games" / "Fallout2"},  // matched ignoring case
        {"C:\\", driveC},
        {"C:", driveC},
        {"C:/Games/New", driveC / "Games" / "New"},  // a folder not made yet keeps its name
        {"C:\\..\\..\\Games", driveC / "Games"},     // no climbing out of the drive
        {"D:\\fo2", Canonical(folder_ / "elsewhere") / "FO2"},
        {"E:\\Games", std::nullopt},
        {"Games\\Fallout2", std::nullopt},
        {"C:Games", std::nullopt},
        {"\\\\server\\share", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WineFolderOf(folder_.path(), c.windows), c.folder) << c.windows;
    }
}

TEST_F(WineRegistryTest, DriveCWithoutItsLinkIsDriveC) {
    std::filesystem::remove(folder_ / "dosdevices" / "c:");
    EXPECT_EQ(WineFolderOf(folder_.path(), "C:\\Games"), folder_ / "drive_c" / "Games");
}

TEST_F(WineRegistryTest, GameFolderComesBackAsThisMachinesFolder) {
    WriteRegistry(
        "[Software\\\\Interplay\\\\Fallout2\\\\1.0] 1\n\"DestPath\"=\"C:\\\\Games\\\\Fallout2\"\n");
    WineRegistry registry(folder_.path());
    EXPECT_EQ(registry.ReadRegValue(kKey, "DestPath"),
              RegistryValue((Canonical(folder_ / "drive_c") / "Games" / "Fallout2").string()));
}

TEST_F(WineRegistryTest, SixtyFourBitPrefixKeepsTheKeyUnderWow6432Node) {
    WriteRegistry(
        "#arch=win64\n[Software\\\\Wow6432Node\\\\Interplay\\\\Fallout2\\\\1.0] 1\n"
        "\"DestPath\"=dword:00000010\n");
    WineRegistry registry(folder_.path());
    EXPECT_EQ(registry.ReadRegValue(kKey, "DestPath"), RegistryValue(std::uint32_t{16}));
}

TEST_F(WineRegistryTest, TextsOtherThanDrivePathsStayAsTheyAre) {
    WriteRegistry("[Software\\\\Interplay\\\\Fallout2\\\\1.0] 1\n\"DestPath\"=\"\"\n");
    WineRegistry registry(folder_.path());
    EXPECT_EQ(registry.ReadRegValue(kKey, "DestPath"), RegistryValue(std::string()));
}

TEST_F(WineRegistryTest, MissingOrUnreadableFileFindsNothing) {
    EXPECT_EQ(WineRegistry(folder_.path()).ReadRegValue(kKey, "DestPath"), RegistryValue());
    EXPECT_EQ(WineRegistry(std::nullopt).ReadRegValue(kKey, "DestPath"), RegistryValue());
    std::filesystem::create_directory(folder_ / "system.reg");
    EXPECT_EQ(WineRegistry(folder_.path()).ReadRegValue(kKey, "DestPath"), RegistryValue());
}

TEST(WineRegistryPrefix, FromTheEnvironment) {
    const char* oldPrefix = std::getenv("WINEPREFIX");
    const std::string saved = oldPrefix != nullptr ? oldPrefix : "";
    setenv("WINEPREFIX", "/somewhere/prefix", 1);
    EXPECT_EQ(WineRegistry::PrefixFromEnvironment(), std::filesystem::path("/somewhere/prefix"));
    setenv("WINEPREFIX", "", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(WineRegistry::PrefixFromEnvironment(), std::filesystem::path(home) / ".wine");
    }
    if (oldPrefix != nullptr) {
        setenv("WINEPREFIX", saved.c_str(), 1);
    } else {
        unsetenv("WINEPREFIX");
    }
}

}  // namespace
}  // namespace vrel
