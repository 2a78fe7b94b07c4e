#include <gtest/gtest.h>

#include "TempFolder.h"
#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;
using testing::WriteHiddenFile;

TEST(PathHelpers, GetFileName) {
    EXPECT_EQ(GetFileName("a\\b\\c.map"), "c.map");
    EXPECT_EQ(GetFileName("c.map"), "c.map");
    EXPECT_EQ(GetFileName("a\\b\\"), "");
    EXPECT_EQ(GetFileName("/home/u/Patches/mod.dat"), "mod.dat");
}

TEST(PathHelpers, FileExistsCaseBlind) {
    TempFolder folder;
    WriteFile(folder / "Game" / "FALLOUT2.EXE", "MZ");
    const std::filesystem::path game = folder / "Game";
    EXPECT_TRUE(FileExistsAt(game / "Fallout2.exe"));
    EXPECT_TRUE(FileExistsAt(folder / "game" / "fallout2.exe"));
    EXPECT_FALSE(FileExistsAt(game));  // a folder is no file
    EXPECT_FALSE(FileExistsAt(game / ""));
    EXPECT_FALSE(FileExistsAt(""));
    EXPECT_FALSE(FileExistsAt(game / "missing.exe"));
    EXPECT_FALSE(FileExistsAt(WriteHiddenFile(game, "hidden.exe", 0x2)));
    EXPECT_FALSE(FileExistsAt(WriteHiddenFile(game, "system.exe", 0x4)));
}

#ifdef _WIN32
TEST(CaseBlindPath, TheFileSystemItselfMatchesAnyCase) {
    TempFolder folder;
    WriteFile(folder / "data" / "art" / "critters" / "X.FRM", "x");
    const auto asTyped = folder / "DATA" / "Art" / "Critters" / "x.frm";
    EXPECT_EQ(ResolveCaseBlind(asTyped), asTyped);
    EXPECT_TRUE(std::filesystem::is_regular_file(ResolveCaseBlind(asTyped)));
    EXPECT_EQ(FindEntryCaseBlind(folder / "data", "ART"), folder / "data" / "art");  // as spelt
    EXPECT_FALSE(FindEntryCaseBlind(folder / "data", "maps"));
}
#else
TEST(CaseBlindPath, ExactNameWinsAndMissingPartsAreKept) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "data" / "art" / "critters");
    std::filesystem::create_directories(folder / "Data");
    EXPECT_EQ(ResolveCaseBlind(folder / "Data" / "ART" / "x.frm"),
              folder / "Data" / "ART" / "x.frm");
    EXPECT_EQ(ResolveCaseBlind(folder / "DATA" / "Art" / "Critters" / "X.FRM"),
              folder / "Data" / "Art" / "Critters" / "X.FRM");  // "Data" sorts first of the two
    std::filesystem::remove(folder / "Data");
    EXPECT_EQ(ResolveCaseBlind(folder / "DATA" / "Art" / "Critters" / "X.FRM"),
              folder / "data" / "art" / "critters" / "X.FRM");
}
#endif

}  // namespace
}  // namespace vrel
