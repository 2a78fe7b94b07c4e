#include "app/ModDrop.h"

#include <gtest/gtest.h>

#include "DatImage.h"
#include "Fakes.h"
#include "TempFolder.h"

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

}  // namespace
}  // namespace vrel
