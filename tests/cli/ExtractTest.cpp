#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include "DatImage.h"

#include "RunTool.h"
#include "SmallDisk.h"
#include "TempFolder.h"
#include "archive/DatWriter.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::FolderContents;
using testing::Lines;
using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

class ExtractTest : public ::testing::Test {
protected:
    std::string Archive(const std::vector<ImageMember>& members) {
        const auto path = folder_ / "mod.dat";
        WriteFile(path, BuildDatImage(members));
        return path.string();
    }
    std::string Out() const { return (folder_ / "out").string(); }

    TempFolder folder_;
};

class UnsafeNames : public ExtractTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnsafeNames, AreRefusedAndNothingIsWrittenOutsideTheFolder) {
    const auto archive = Archive({{.Name = GetParam(), .Content = Bytes("evil")},
                                  {.Name = "good.txt", .Content = Bytes("good")}});
    const auto run = RunTool({"extract", archive, (folder_ / "out/deep").string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("refused"), std::string::npos) << run.Err;
    // Only the safe member was written, and only inside the target folder.
    EXPECT_EQ(FolderContents(folder_ / "out"),
              (std::vector<std::pair<std::string, std::vector<std::uint8_t>>>{
                  {"deep/good.txt", Bytes("good")}}));
}

INSTANTIATE_TEST_SUITE_P(Names, UnsafeNames,
                         ::testing::Values("\\abs.txt", "/abs.txt", "c:\\x.txt", "c:x.txt",
                                           "..\\x.txt", "a\\..\\..\\x.txt", "../x.txt",
                                           "a\\\\b.txt", "", "a\\", "a\tb.txt", "text\nx.txt"));

// Guards that a member whose stream is damaged is never written as if it were whole.
TEST_F(ExtractTest, DamagedMemberIsNotWritten) {
    std::vector<std::uint8_t> text(4000, 'a');
    auto packed = CompressMember(text, 6);
    packed[packed.size() / 2] ^= 0xFF;
    packed.back() ^= 0xFF;  // the checksum
    const auto archive =
        Archive({{.Name = "whole.txt", .Content = Bytes("whole"), .Storage = MemberStorage::Stored},
                 {.Name = "broken.txt",
                  .Content = packed,
                  .Storage = MemberStorage::Stored,
                  .RealSize = 4000,
                  .Compressed = 1}});
    const auto run = RunTool({"extract", archive, Out()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("broken.txt: a compressed member is damaged; not written"),
              std::string::npos)
        << run.Err;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out/broken.txt"));
    EXPECT_EQ(ReadFile(folder_ / "out/whole.txt"), Bytes("whole"));
    EXPECT_EQ(RunTool({"verify", archive}).ExitCode, 1);
}

// A full disk is said once, not once for every member after it, and nothing is left cut short.
TEST_F(ExtractTest, AFullDiskIsSaidOnce) {
    testing::SmallDisk disk(1 << 20, 64);
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    std::mt19937 generator(7);
    std::vector<ImageMember> members;
    for (int i = 0; i < 40; ++i) {
        std::vector<std::uint8_t> noise(64 << 10);
        for (auto& byte : noise) {
            byte = static_cast<std::uint8_t>(generator());
        }
        members.push_back({.Name = "m" + std::to_string(100 + i) + ".bin",
                           .Content = std::move(noise),
                           .Storage = MemberStorage::Stored});
    }
    const auto archive = Archive(members);
    const auto run = RunTool({"extract", archive, disk.path().string()});
    EXPECT_EQ(run.ExitCode, 1);
    const auto lines = Lines(run.Err);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.find("No space left on device") != std::string::npos;
                            }),
              1)
        << run.Err;
    EXPECT_NE(run.Err.find(disk.path().string() + ": the disk is full; extraction stopped"),
              std::string::npos)
        << run.Err;
    for (const auto& [name, content] : FolderContents(disk.path())) {
        const auto member = std::find_if(members.begin(), members.end(),
                                         [&](const ImageMember& m) { return m.Name == name; });
        ASSERT_NE(member, members.end()) << "left behind: " << name;
        EXPECT_EQ(content, member->Content) << name;
    }
}

// Members are read ahead and inflated on several threads, yet what lands on disk and what is
// reported must be exactly what one thread gives: a later member of the same name wins, a damaged
// member is not written (not even over an earlier whole one), an unsafe name is refused.
TEST_F(ExtractTest, SeveralThreadsGiveExactlyWhatOneGives) {
    std::vector<std::uint8_t> damaged = CompressMember(std::vector<std::uint8_t>(3000, 'd'), 6);
    damaged[damaged.size() / 2] ^= 0xFF;
    std::vector<ImageMember> members;
    for (int i = 0; i < 40; ++i) {
        const std::string text = "member " + std::to_string(i) + std::string(100 + i * 37, 'x');
        members.push_back(
            {.Name = "art\\m" + std::to_string(i % 25) + ".frm", .Content = Bytes(text)});
        if (i == 12) {
            members.push_back({.Name = "..\\escape.txt", .Content = Bytes("evil")});
        }
        if (i == 30) {
            members.push_back({.Name = "ART\\M3.FRM",
                               .Content = damaged,
                               .Storage = MemberStorage::Stored,
                               .RealSize = 3000,
                               .Compressed = 1});
        }
    }
    const auto archive = Archive(members);
    std::vector<std::string> reports;
    for (const char* threads : {"1", "3"}) {
        const auto out = folder_ / (std::string("out") + threads);
        const auto run = RunTool({"extract", archive, out.string(), "--threads", threads});
        EXPECT_EQ(run.ExitCode, 1);
        reports.push_back(run.Err);
    }
    EXPECT_EQ(reports[0], reports[1]);
    const auto one = FolderContents(folder_ / "out1");
    EXPECT_EQ(FolderContents(folder_ / "out3"), one);
    ASSERT_EQ(one.size(), 25u);
    EXPECT_EQ(ReadFile(folder_ / "out3/art/m3.frm"),
              Bytes("member 28" + std::string(100 + 28 * 37, 'x')));
    EXPECT_EQ(ReadFile(folder_ / "out3/art/m24.frm"),
              Bytes("member 24" + std::string(100 + 24 * 37, 'x')));
}

TEST_F(ExtractTest, ExistingFoldersAndFilesAreMatchedCaseBlind) {
    WriteFile(folder_ / "out/ART/Critters/OLD.FRM", "old");
    const auto archive = Archive({{.Name = "art\\critters\\old.frm", .Content = Bytes("new")},
                                  {.Name = "art\\critters\\new.frm", .Content = Bytes("n")}});
    const auto run = RunTool({"extract", archive, Out()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(FolderContents(folder_ / "out"),
              (std::vector<std::pair<std::string, std::vector<std::uint8_t>>>{
                  {"ART/Critters/OLD.FRM", Bytes("new")}, {"ART/Critters/new.frm", Bytes("n")}}));
}

TEST_F(ExtractTest, SymbolicLinksInsideTheFolderAreNotFollowed) {
    std::filesystem::create_directories(folder_ / "elsewhere");
    std::filesystem::create_directories(folder_ / "out");
    std::filesystem::create_directory_symlink(folder_ / "elsewhere", folder_ / "out/art");
    std::filesystem::create_symlink(folder_ / "elsewhere/target.txt", folder_ / "out/x.txt");
    const auto archive = Archive(
        {{.Name = "art\\a.frm", .Content = Bytes("a")}, {.Name = "x.txt", .Content = Bytes("x")}});
    const auto run = RunTool({"extract", archive, Out()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("symbolic link"), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "elsewhere"));
}

TEST_F(ExtractTest, NameOf45CharactersIsReadWhole) {
    const std::string longName = std::string(40, 'x') + "y.txt";
    const auto archive = Archive({{.Name = longName, .Content = Bytes("long")},
                                  {.Name = "next.txt", .Content = Bytes("next")}});
    const auto list = RunTool({"list", archive});
    ASSERT_EQ(list.ExitCode, 0);
    const auto lines = Lines(list.Out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, lines[0].find('\t')), longName);
    EXPECT_EQ(lines[1].substr(0, lines[1].find('\t')), "next.txt");
    ASSERT_EQ(RunTool({"extract", archive, Out()}).ExitCode, 0);
    EXPECT_EQ(ReadFile(folder_ / "out" / longName), Bytes("long"));
    EXPECT_EQ(ReadFile(folder_ / "out/next.txt"), Bytes("next"));
}

TEST_F(ExtractTest, ProgressShowsOnlyOnATerminalWithoutQuiet) {
    const auto archive = Archive({{.Name = "a.txt", .Content = Bytes("a")}});
    EXPECT_NE(RunTool({"extract", archive, Out()}, true).Err.find("100%"), std::string::npos);
    EXPECT_EQ(RunTool({"extract", archive, Out(), "-q"}, true).Err, "");
    EXPECT_EQ(RunTool({"extract", archive, Out()}, false).Err, "");
}

TEST_F(ExtractTest, ListShowsEveryFieldAsStoredInJsonToo) {
    const auto archive = Archive({{.Name = "Maps\\\xC9T\xC9.map",
                                   .Content = Bytes("abc"),
                                   .Storage = MemberStorage::Stored}});
    const auto list = RunTool({"list", archive});
    EXPECT_EQ(list.Out, "Maps\\\xC3\x89T\xC3\x89.map\t0\t3\t3\t0\n");
    const auto json = RunTool({"list", archive, "--json"});
    EXPECT_EQ(json.Out,
              "[\n  {\"name\": \"Maps\\\\\xC3\x89T\xC3\x89.map\", \"compressed\": 0, "
              "\"realsize\": 3, \"packedsize\": 3, \"offset\": 0}\n]\n");
    // A control character in a name cannot break the line apart.
    const auto forged = Archive(
        {{.Name = "a\tb\nc.txt", .Content = Bytes("abc"), .Storage = MemberStorage::Stored}});
    EXPECT_EQ(RunTool({"list", forged}).Out,
              "a\xE2\x90\x89"
              "b\xE2\x90\x8A"
              "c.txt\t0\t3\t3\t0\n");
}

TEST_F(ExtractTest, InfoShowsTheScanAndTheDescription) {
    const auto archive = Archive({{.Name = "AMODDESC.QRD", .Content = Bytes("My mod\r\nby me")},
                                  {.Name = "a.txt", .Content = Bytes("a")}});
    EXPECT_EQ(RunTool({"info", archive}).Out,
              "files: 2\nmembers: 2\ndescription: My mod\r\nby me\n");
    EXPECT_EQ(RunTool({"info", archive, "--json"}).Out,
              "{\"files\": 2, \"members\": 2, \"description\": \"My mod\\r\\nby me\"}\n");
    const auto plain = Archive({{.Name = "a.txt", .Content = Bytes("a")}});
    EXPECT_EQ(RunTool({"info", plain}).Out,
              "files: 1\nmembers: 1\ndescription: No description available\n");
}

TEST_F(ExtractTest, SetsListsTheModSetsBesideTheSettings) {
    testing::WriteFile(folder_ / "vrel-sets.txt", "In use=Two\n[One]\n+a.dat\n[Two]\n-\"b\".dat\n");
    const std::string folder = folder_.path().string();
    EXPECT_EQ(RunTool({"sets", folder}).Out, "One\n  + a.dat\nTwo (in use)\n  - \"b\".dat\n");
    EXPECT_EQ(RunTool({"sets", folder, "--json"}).Out,
              "{\"in_use\": \"Two\", \"remember_ticks\": false, \"sets\": [{\"name\": \"One\", "
              "\"mods\": [{\"name\": \"a.dat\", \"ticked\": true}]}, {\"name\": \"Two\", "
              "\"mods\": [{\"name\": \"\\\"b\\\".dat\", \"ticked\": false}]}]}\n");
    EXPECT_EQ(RunTool({"sets", (folder_ / "none").string()}).ExitCode, 1);
}

}  // namespace
}  // namespace vrel
