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

// "/Patches/" or "\\Patches\\", as the system writes a folder.
const std::string kPatches =
    (std::filesystem::path("/") / "Patches" / "").make_preferred().string();

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
    EXPECT_NE(messages.shown[0].text.find(" inside the " + kPatches + " folder."),
              std::string::npos);
    EXPECT_EQ(ReadFile(patches / name), kept);
    EXPECT_TRUE(outcome.Added.empty());
}

// The report names the folder as the system writes it, and says what to do with what was refused.
TEST(ModDrop, TheReportSaysWhatToDoWithWhatWasNotAdded) {
    const testing::TempFolder folder;
    std::filesystem::create_directory(folder.path() / "Patches");
    WriteFile(folder.path() / "new.dat", BuildDatImage({}));
    WriteFile(folder.path() / "bad.dat", "bad");
    WriteFile(folder.path() / "Mod.rar", "Rar!");
    testing::FakeMessageBox messages;
    testing::FakeProgress progress;
    ReportDrop(messages,
               AddDroppedMods({folder / "new.dat", folder / "bad.dat", folder / "Mod.rar"},
                              folder / "Patches", messages, progress));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{
                  "Added to the " + kPatches +
                  " folder:\r      new.dat\r\rNot added:\r    bad.dat: "
                  "the file is too short to be a DAT archive (Vrel cannot list all the files it "
                  "holds)\r    Mod.rar: only .dat files, folders, .zip and .7z files can be added; "
                  "unpack it and drop the folder"});
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
