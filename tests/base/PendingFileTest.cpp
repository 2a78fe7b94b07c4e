#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "base/PendingFile.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PendingFile, ReplacesOnlyWhenAskedAndLeavesNoNewFileBehind) {
    TempFolder folder;
    const auto target = folder / "Mod.dat";
    WriteFile(target, "the player's");
    const auto refused = PutFile(target, Bytes("new"), Placing::New);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().Kind, PlaceProblem::AlreadyThere);
    EXPECT_EQ(refused.error().Path, target);
    EXPECT_EQ(ReadFile(target), Bytes("the player's"));
    EXPECT_TRUE(PutFile(target, Bytes("new"), Placing::Replace));
    EXPECT_EQ(ReadFile(target), Bytes("new"));
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"Mod.dat"});
#ifndef _WIN32
    const auto twin = PutFile(folder / "MOD.DAT", Bytes("twin"), Placing::NewInAnyCase);
    ASSERT_FALSE(twin);
    EXPECT_EQ(twin.error().Kind, PlaceProblem::AlreadyThere);
    EXPECT_TRUE(PutFile(folder / "MOD.DAT", Bytes("twin"), Placing::New));
    EXPECT_EQ(ReadFile(target), Bytes("new"));
#endif
}

TEST(PendingFile, AnUnplacedFileIsRemovedWhenDroppedOrOnRequest) {
    TempFolder folder;
    {
        auto dropped = PendingFile::Create(folder / "a.dat");
        ASSERT_TRUE(dropped);
        EXPECT_TRUE(dropped->Write(Bytes("half")));
    }
    auto pending = PendingFile::Create(folder / "b.dat");
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->Temporary().parent_path(), folder.path());
    EXPECT_EQ(Names(folder.path()).size(), 1u);
    RemovePendingFiles();  // what an interrupted vrel-dat does
#ifndef _WIN32
    // Windows takes the name away only once the file is closed: when the program has ended.
    EXPECT_TRUE(Names(folder.path()).empty());
#endif
    const auto after = pending->Place(Placing::New);
    ASSERT_FALSE(after);
    EXPECT_TRUE(Names(folder.path()).empty());
}

#ifndef _WIN32
TEST(PendingFile, NeverWritesThroughASymbolicLink) {
    TempFolder folder;
    const auto outside = folder / "outside.txt";
    WriteFile(outside, "keep");
    std::filesystem::create_symlink(outside, folder / "Mod.dat");
    std::filesystem::create_symlink(folder / "missing", folder / "Dangling.dat");
    EXPECT_EQ(PutFile(folder / "Mod.dat", Bytes("new"), Placing::New).error().Kind,
              PlaceProblem::AlreadyThere);
    EXPECT_EQ(PutFile(folder / "Dangling.dat", Bytes("new"), Placing::New).error().Kind,
              PlaceProblem::AlreadyThere);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    EXPECT_TRUE(PutFile(folder / "Mod.dat", Bytes("new"), Placing::Replace));
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "Mod.dat"));
    EXPECT_EQ(ReadFile(folder / "Mod.dat"), Bytes("new"));
    EXPECT_EQ(ReadFile(outside), Bytes("keep"));
}
#endif

TEST(PendingFile, OfRunsPlacingOneNameAtOnceExactlyOneWins) {
    TempFolder folder;
    for (int round = 0; round < 20; ++round) {
        const auto target = folder / ("Mod" + std::to_string(round) + ".dat");
        std::vector<Expected<void, PlaceFailure>> outcomes(4);
        std::vector<std::thread> runs;
        for (std::size_t run = 0; run < outcomes.size(); ++run) {
            runs.emplace_back([&, run] {
                const std::vector<std::uint8_t> bytes(100000, static_cast<std::uint8_t>(run));
                outcomes[run] =
                    PutFile(target, bytes, run % 2 == 0 ? Placing::New : Placing::NewInAnyCase);
            });
        }
        for (std::thread& run : runs) {
            run.join();
        }
        int winners = 0;
        for (std::size_t run = 0; run < outcomes.size(); ++run) {
            if (outcomes[run]) {
                ++winners;
                EXPECT_EQ(ReadFile(target),
                          std::vector<std::uint8_t>(100000, static_cast<std::uint8_t>(run)));
            } else {
                EXPECT_EQ(outcomes[run].error().Kind, PlaceProblem::AlreadyThere);
            }
        }
        EXPECT_EQ(winners, 1);
    }
    EXPECT_EQ(Names(folder.path()).size(), 20u);
}

}  // namespace
}  // namespace vrel
