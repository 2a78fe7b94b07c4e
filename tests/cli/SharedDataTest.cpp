#include <gtest/gtest.h>

#include <algorithm>

#include "RunTool.h"
#include "TempFolder.h"
#include "archive/GameOrder.h"

namespace vrel {
namespace {

using testing::FolderContents;
using testing::Lines;
using testing::RunTool;
using testing::TempFolder;

// A real archive written by another tool than ours.
class SharedArchive : public ::testing::Test {
protected:
    void SetUp() override {
        archive_ = std::filesystem::path(VREL_SHARED_DATA_DIR) / "sfall.dat";
        if (!std::filesystem::exists(archive_)) {
            GTEST_SKIP() << "no real archive at " << archive_.string()
                         << " (the shared data folder is absent)";
        }
    }
    std::filesystem::path archive_;
};

TEST_F(SharedArchive, ListsEveryEntryInGameOrder) {
    const auto run = RunTool({"list", archive_.string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const auto lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 17u);
    std::vector<std::string> names;
    int compressed = 0;
    for (const std::string& line : lines) {
        names.push_back(line.substr(0, line.find('\t')));
        compressed += line.find("\t1\t") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(compressed, 16);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const auto& a, const auto& b) { return GameOrderLess(a, b); }));
}

TEST_F(SharedArchive, VerifiesClean) {
    const auto run = RunTool({"verify", archive_.string()});
    EXPECT_EQ(run.ExitCode, 0) << run.Out;
    EXPECT_NE(run.Out.find("ok, 17 members checked"), std::string::npos) << run.Out;
    EXPECT_EQ(RunTool({"info", archive_.string()}).Out.rfind("files: 17\nmembers: 17\n", 0), 0u);
}

TEST_F(SharedArchive, TwoExtractionsGiveTheSameFilesAndPackingThemBackRoundTrips) {
    TempFolder folder;
    ASSERT_EQ(RunTool({"extract", archive_.string(), (folder / "one").string()}).ExitCode, 0);
    ASSERT_EQ(RunTool({"extract", archive_.string(), (folder / "two").string()}).ExitCode, 0);
    const auto files = FolderContents(folder / "one");
    EXPECT_EQ(files.size(), 17u);
    EXPECT_EQ(FolderContents(folder / "two"), files);

    const auto repacked = (folder / "repacked.dat").string();
    ASSERT_EQ(RunTool({"pack", (folder / "one").string(), repacked}).ExitCode, 0);
    ASSERT_EQ(RunTool({"extract", repacked, (folder / "three").string()}).ExitCode, 0);
    EXPECT_EQ(FolderContents(folder / "three"), files);
    EXPECT_EQ(RunTool({"list", repacked}).ExitCode, 0);
}

}  // namespace
}  // namespace vrel
