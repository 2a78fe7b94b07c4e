#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <map>
#include <random>
#include <thread>

#include "DatImage.h"
#include "RunTool.h"
#include "TempFolder.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::FolderContents;
using testing::TempFolder;
using testing::ToolProcess;
using testing::WriteFile;

using Files = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Bytes that do not pack, so that the work takes long enough to be interrupted.
std::vector<std::uint8_t> Noise(std::size_t size, unsigned seed) {
    std::mt19937_64 generator(seed);
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t word = generator();
        std::memcpy(bytes.data() + i, &word, 8);
    }
    return bytes;
}

std::size_t CountFiles(const std::filesystem::path& folder) {
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return count;
}

struct InterruptCase {
    const char* Label;
    int Signal;
};

void PrintTo(const InterruptCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

class Interrupted : public ::testing::TestWithParam<InterruptCase> {
protected:
    // Starts vrel-dat, waits until it has begun writing into `watched`, and interrupts it.
    void Interrupt(const std::vector<std::string>& args, const std::filesystem::path& watched) {
        const std::size_t files = CountFiles(watched);
        ToolProcess tool(args);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (CountFiles(watched) == files && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        tool.Signal(GetParam().Signal);
        const int status = tool.Wait();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam().Signal)
            << "the work ended before the signal; give it more to do";
    }

    TempFolder folder_;
};

// Guards that Ctrl-C or a kill leaves neither a half-written archive nor its new file behind,
// and the archive already there as it was.
TEST_P(Interrupted, PackLeavesTheOldArchiveAndNothingElse) {
    const auto mod = folder_ / "mod";
    for (unsigned i = 0; i < 3; ++i) {
        WriteFile(mod / "art" / ("f" + std::to_string(i) + ".frm"), Noise(24 << 20, i));
    }
    const auto out = folder_ / "out";
    WriteFile(out / "mod.dat", "old");
    const Files before = FolderContents(out);
    Interrupt({"pack", mod.string(), (out / "mod.dat").string(), "--level", "9", "--threads", "1"},
              out);
    EXPECT_EQ(FolderContents(out), before);
}

TEST_P(Interrupted, ImportLeavesPatchesAsItWas) {
    const auto mod = folder_ / "mod";
    for (unsigned i = 0; i < 3; ++i) {
        WriteFile(mod / "data" / "art" / ("f" + std::to_string(i) + ".frm"), Noise(24 << 20, i));
    }
    const auto patches = folder_ / "Patches";
    WriteFile(patches / "other.dat", "another mod");
    const Files before = FolderContents(patches);
    Interrupt({"import", mod.string(), patches.string(), "--threads", "1"}, patches);
    EXPECT_EQ(FolderContents(patches), before);
}

// A member is never left cut short under its name, nor a file of the user's that stood there.
// The small first member shows that the work has begun; the signal then meets the ones written
// whole at once (under 4 MiB), or the large ones written piece by piece.
TEST_P(Interrupted, ExtractLeavesOnlyWholeFiles) {
    std::map<std::string, std::vector<std::uint8_t>> members = {
        {"a.bin", Noise(1 << 10, 1)},
        {"b.bin", Noise(24 << 20, 2)},
        {"c.bin", Noise(24 << 20, 3)},
        {"mine.txt", Noise(24 << 20, 4)},
    };
    for (unsigned i = 1; i <= 6; ++i) {
        members["a" + std::to_string(i) + ".bin"] = Noise((4 << 20) - 4096, 10 + i);
    }
    std::vector<ImageMember> image;
    for (const auto& [name, content] : members) {
        image.push_back({.Name = name, .Content = content, .Storage = MemberStorage::Stored});
    }
    const auto archive = folder_ / "mod.dat";
    WriteFile(archive, BuildDatImage(image));
    const auto out = folder_ / "out";
    WriteFile(out / "mine.txt", "the player's own");
    Interrupt({"extract", archive.string(), out.string(), "--threads", "2"}, out);
    for (const auto& [name, content] : FolderContents(out)) {
        if (!members.contains(name)) {
            ADD_FAILURE() << "left behind: " << name;
        } else if (name == "mine.txt") {
            EXPECT_TRUE(content == members[name] || content == Bytes("the player's own")) << name;
        } else {
            EXPECT_EQ(content, members[name]) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupted,
                         ::testing::Values(InterruptCase{"CtrlC", SIGINT},
                                           InterruptCase{"Kill", SIGTERM}),
                         [](const ::testing::TestParamInfo<InterruptCase>& caseInfo) {
                             return caseInfo.param.Label;
                         });

}  // namespace
}  // namespace vrel
#endif
