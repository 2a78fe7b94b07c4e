#include "app/ModDrop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatImage.h"
#include "Fakes.h"
#include "TempFolder.h"
#ifdef VREL_TEST_PACKED
#include "PackedArchive.h"
#endif

namespace vrel {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::WriteFile;

// With MinGW a narrow path string is UTF-8 one way and the ANSI code page the other: a dropped
// "Über.dat" did not find the one in Patches, which was then replaced without the question.
TEST(ModDrop, AModOfTheSameNameIsReplacedOnlyWhenTheUserAgrees) {
    const testing::TempFolder folder;
    const auto patches = folder.path() / "Patches";
    const std::filesystem::path name(u8"Über.dat");
    WriteFile(patches / name, BuildDatImage({{.Name = "old.txt", .Content = Bytes("old")}}));
    const auto kept = ReadFile(patches / name);
    const auto dropped = folder.path() / "downloads" / name;
    WriteFile(dropped, BuildDatImage({{.Name = "new.txt", .Content = Bytes("new")}}));
    testing::FakeMessageBox messages;
    messages.answers = {MessageAnswer::No};
    testing::FakeProgress progress;

    const DropOutcome outcome = AddDroppedMods({dropped}, patches, messages, progress);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ReadFile(patches / name), kept);
    EXPECT_TRUE(outcome.Added.empty());
}

#ifdef VREL_TEST_PACKED
// A mod that comes as a .dat beside its read-me in a .zip was refused as holding no data folder.
TEST(ModDrop, ADatInsideADroppedZipIsAddedUnderItsOwnName) {
    const testing::TempFolder folder;
    const auto patches = folder.path() / "Patches";
    std::filesystem::create_directory(patches);
    const auto dat = BuildDatImage({{.Name = "art\\a.frm", .Content = Bytes("frame")}});
    const auto zip = folder.path() / "Better Den 1.2.zip";
    testing::WritePackedArchive(zip, testing::PackedFormat::Zip,
                                {{"Better Den/BetterDen.dat", dat},
                                 {"Better Den/readme.txt", Bytes("About")},
                                 {"Better Den/patch000.dat", BuildDatImage({})}});
    testing::FakeMessageBox messages;
    testing::FakeProgress progress;

    const DropOutcome outcome = AddDroppedMods({zip}, patches, messages, progress);

    EXPECT_EQ(outcome.Added, std::vector<std::string>{"BetterDen.dat"});
    EXPECT_TRUE(outcome.NotAdded.empty());
    EXPECT_EQ(ReadFile(patches / "BetterDen.dat"), dat);
    EXPECT_FALSE(std::filesystem::exists(patches / "Better Den 1.2.dat"));
    ASSERT_EQ(outcome.LeftOut.size(), 1u);
    EXPECT_EQ(outcome.LeftOut[0].Archive, "Better Den 1.2.zip");
    const auto& leftOut = outcome.LeftOut[0].Files;
    EXPECT_TRUE(std::any_of(leftOut.begin(), leftOut.end(), [](const LeftOutFile& file) {
        return file.Path == "Better Den/patch000.dat" && file.Kind == LeftOutKind::GameArchive;
    }));
}
#endif

}  // namespace
}  // namespace vrel
