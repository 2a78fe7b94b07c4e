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
    WriteFile(folder / "taken.frm", "the player's");
    {
        auto dropped = PendingFile::Create(folder / "a.dat");
        ASSERT_TRUE(dropped);
        EXPECT_TRUE(dropped->Write(Bytes("half")));
        // Made under its name: the same, and never the file of that name when the name is taken.
        auto droppedUnderName = PendingFile::CreateUnderName(folder / "c.frm");
        ASSERT_TRUE(droppedUnderName);
        EXPECT_TRUE(droppedUnderName->Write(Bytes("half")));
        EXPECT_EQ(PendingFile::CreateUnderName(folder / "taken.frm").error().Kind,
                  PlaceProblem::AlreadyThere);
    }
#ifndef _WIN32
    // A file put under the name meanwhile is not the one given up.
    {
        auto replaced = PendingFile::CreateUnderName(folder / "moved.frm");
        ASSERT_TRUE(replaced);
        WriteFile(folder / "theirs", "theirs");
        std::filesystem::rename(folder / "theirs", folder / "moved.frm");
    }
    EXPECT_EQ(ReadFile(folder / "moved.frm"), Bytes("theirs"));
    std::filesystem::remove(folder / "moved.frm");
#endif
    auto pending = PendingFile::Create(folder / "b.dat");
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->Temporary().parent_path(), folder.path());
    {
        auto underName = PendingFile::CreateUnderName(folder / "d.frm");
        ASSERT_TRUE(underName);
        EXPECT_TRUE(underName->Write(Bytes("half")));
        EXPECT_EQ(Names(folder.path()).size(), 3u);
        RemovePendingFiles();  // what an interrupted vrel-dat does
#ifndef _WIN32
        // Windows takes the name away only once the file is closed: when the program has ended.
        EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"taken.frm"});
#endif
    }
    EXPECT_FALSE(pending->Place(Placing::New));
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"taken.frm"});
    EXPECT_EQ(ReadFile(folder / "taken.frm"), Bytes("the player's"));
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
