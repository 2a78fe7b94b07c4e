#include "base/TargetFolders.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;

namespace fs = std::filesystem;

std::vector<std::string_view> Parts(std::initializer_list<std::string_view> parts) {
    return parts;
}

#ifndef _WIN32
// Names that differ only in case stand side by side only where the file system tells case apart.
TEST(TargetFolders, ExactSpellingFirstThenTheFirstInNameOrderThenTheGivenCase) {
    TempFolder folder;
    WriteFile(folder / "ART" / "a.frm", "x");
    WriteFile(folder / "art" / "b.frm", "x");
    WriteFile(folder / "Art" / "c.frm", "x");
    WriteFile(folder / "Text" / "Old.MSG", "x");
    WriteFile(folder / "Text" / "\u00C9tude.msg", "x");
    TargetFolders targets(folder.path());
    struct Case {
        std::vector<std::string_view> parts;
        fs::path expected;
        bool existed;
    };
    const Case cases[] = {
        {Parts({"art", "b.frm"}), folder / "art" / "b.frm", true},        // exact spelling
        {Parts({"aRt", "a.frm"}), folder / "ART" / "a.frm", true},        // first in name order
        {Parts({"TEXT", "old.msg"}), folder / "Text" / "Old.MSG", true},  // any case
        // Beyond ASCII too, for the letters of the code page: \xE9 is e acute.
        {Parts({"TEXT", "\xE9tude.MSG"}), folder / "Text" / "\u00C9tude.msg", true},
        {Parts({"text", "New.msg"}), folder / "Text" / "New.msg", false},
        {Parts({"text", "NEW.MSG"}), folder / "Text" / "New.msg", true},  // remembered
        {Parts({"Maps", "Sub", "x.map"}), folder / "Maps" / "Sub" / "x.map", false},
    };
    for (const Case& c : cases) {
        const auto target = targets.PrepareFile(c.parts);
        ASSERT_TRUE(target) << c.expected;
        EXPECT_EQ(target->Path, c.expected);
        EXPECT_EQ(target->Existed, c.existed) << c.expected;
    }
    EXPECT_TRUE(fs::is_directory(folder / "Maps" / "Sub"));
}
#endif

TEST(TargetFolders, ReportsWhatStandsInTheWayAndTellsOfNewFolders) {
    TempFolder folder;
    WriteFile(folder / "file", "x");
    fs::create_directories(folder / "dir" / "taken");
    std::vector<fs::path> before;
    std::vector<fs::path> created;
    TargetFolders targets(folder.path(),
                          {.BeforeCreating = [&](const fs::path& p) { before.push_back(p); },
                           .Created = [&](const fs::path& p) { created.push_back(p); }});
    auto inFile = targets.PrepareFile(Parts({"FILE", "x"}));
    ASSERT_FALSE(inFile);
    EXPECT_EQ(inFile.error().Kind, TargetProblem::NotAFolder);
    EXPECT_EQ(inFile.error().Path, folder / "file");
    auto atFolder = targets.PrepareFile(Parts({"dir", "TAKEN"}));
    ASSERT_FALSE(atFolder);
    EXPECT_EQ(atFolder.error().Kind, TargetProblem::NotAFile);
    EXPECT_EQ(atFolder.error().Found, fs::file_type::directory);
    ASSERT_TRUE(targets.PrepareFile(Parts({"new", "deeper", "x"})));
    const std::vector<fs::path> made{folder / "new", folder / "new" / "deeper"};
    EXPECT_EQ(before, made);
    EXPECT_EQ(created, made);
}

#ifdef _WIN32
// Windows drops the dots and spaces at the end of a name: a second member named arcaves.map. kept
// the first member's arcaves.map aside as if it were the player's.
TEST(TargetFolders, NamesAreTakenAsWindowsFindsThem) {
    TempFolder folder;
    TargetFolders targets(folder.path());
    ASSERT_TRUE(targets.PrepareFile(Parts({"maps", "arcaves.map"})));
    for (const std::string_view name : {"arcaves.map.", "arcaves.map ", "ARCAVES.MAP. ."}) {
        const auto target = targets.PrepareFile(Parts({"maps.", name}));
        ASSERT_TRUE(target) << name;
        EXPECT_EQ(target->Path, folder / "maps" / "arcaves.map") << name;
        EXPECT_TRUE(target->Existed) << name;
    }
    EXPECT_FALSE(targets.PrepareFile(Parts({". .", "x"})));
}
#endif

#ifndef _WIN32
// Links that stay inside the target folder are followed; a link that leads out is never written
// through, whether it stands for a folder or for the file itself.
TEST(TargetFolders, NeverWritesThroughALinkThatLeadsOutside) {
    TempFolder folder;
    const fs::path root = folder / "target";
    fs::create_directories(root / "real");
    fs::create_directories(folder / "elsewhere");
    WriteFile(root / "real" / "kept.txt", "x");
    WriteFile(folder / "elsewhere" / "outside.txt", "x");
    fs::create_directory_symlink(root / "real", root / "inside");
    fs::create_directory_symlink(folder / "elsewhere", root / "out");
    fs::create_symlink(folder / "elsewhere" / "outside.txt", root / "x.txt");
    fs::create_symlink(root / "real" / "kept.txt", root / "y.txt");
    fs::create_symlink(root / "missing", root / "dangling");
    TargetFolders targets(root);

    const auto viaInside = targets.PrepareFile(Parts({"INSIDE", "new.txt"}));
    ASSERT_TRUE(viaInside);
    EXPECT_EQ(viaInside->Path, root / "inside" / "new.txt");
    const auto linkInside = targets.PrepareFile(Parts({"y.txt"}));
    ASSERT_TRUE(linkInside);
    EXPECT_TRUE(linkInside->Existed);

    for (const auto& parts :
         {Parts({"out", "a.txt"}), Parts({"X.TXT"}), Parts({"dangling", "a.txt"})}) {
        const auto refused = targets.PrepareFile(parts);
        ASSERT_FALSE(refused) << parts.front();
        EXPECT_EQ(refused.error().Kind, TargetProblem::LinkLeadsOutside) << parts.front();
        EXPECT_EQ(refused.error().Found, fs::file_type::symlink);
    }
    EXPECT_EQ(fs::directory_iterator(folder / "elsewhere")->path().filename(), "outside.txt");
}
#endif

}  // namespace
}  // namespace vrel
