#include "launch/Unpacker.h"

#include <gtest/gtest.h>

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include "DatImage.h"
#include "FolderSnapshot.h"
#include "TempFolder.h"
#include "archive/DatWriter.h"
#include "config/DataFolders.h"
#include "launch/CleanUp.h"

namespace vrel {
namespace {

// What two unpackings compare of a problem's detail beside its kind.
std::string DetailNumber(DatProblem dat) {
    return std::to_string(static_cast<int>(dat));
}
std::string DetailNumber(UnsafeName unsafe) {
    return std::to_string(static_cast<int>(unsafe));
}
template <class Other>
std::string DetailNumber(const Other&) {
    return "";
}

using testing::Bytes;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

namespace fs = std::filesystem;

// Read-only as the game sees it: the file attribute on Windows, the write permission elsewhere.
bool IsReadOnly(const fs::path& file) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
#else
    return (fs::status(file).permissions() & fs::perms::owner_write) == fs::perms::none;
#endif
}

class UnpackerTest : public ::testing::Test {
protected:
    UnpackerTest() {
        fs::create_directories(Game());
        CreateDataFolders(Game().string());
        settings_.DeleteDataFiles = true;
    }
    fs::path Game() const { return folder_ / "game"; }

    fs::path Archive(const std::string& name, const std::vector<ImageMember>& members) {
        const fs::path path = folder_ / name;
        WriteFile(path, BuildDatImage(members));
        return path;
    }

    Expected<void, UnpackFailure> Unpack(const fs::path& archive) {
        return unpacker_.UnpackArchive(archive, archive.filename().string(), {});
    }

    TempFolder folder_;
    CfgGeneral settings_;
    UnpackJournal journal_;
    Unpacker unpacker_{Game(), settings_, journal_};
};

TEST_F(UnpackerTest, WritesMembersWhereTheGameLooksAndCleansUpCompletely) {
    const auto before = testing::SnapshotFolder(Game());
    WriteFile(Game() / "Data" / "text" / "english" / "game" / "misc.msg", "the user's own");
    const auto withUserFile = testing::SnapshotFolder(Game());
    const auto text = Bytes(std::string(4000, 'm'));
    const auto first =
        Archive("first.dat", {{.Name = "text\\english\\game\\misc.msg", .Content = Bytes("first")},
                              {.Name = "ART\\CRITTERS\\HMJMPSAA.FRM", .Content = text},
                              {.Name = "proto\\items\\00000001.pro", .Content = Bytes("p")},
                              {.Name = "proto\\items\\00000002.PRO", .Content = Bytes("P")},
                              {.Name = "newfolder\\deep\\x.txt", .Content = Bytes("x")},
                              {.Name = "Data\\Maps\\x.map", .Content = Bytes("map")},
                              {.Name = "database.txt", .Content = Bytes("db")}});
    const auto second = Archive(
        "second.dat", {{.Name = "text\\english\\game\\misc.msg", .Content = Bytes("second")}});
    ASSERT_TRUE(Unpack(first));
    ASSERT_TRUE(Unpack(second));
    EXPECT_TRUE(unpacker_.Problems().empty());

    const fs::path data = Game() / "Data";
    EXPECT_EQ(ReadFile(data / "text" / "english" / "game" / "misc.msg"),
              Bytes("second"));  // the later archive wins
    EXPECT_EQ(ReadFile(data / "art" / "critters" / "HMJMPSAA.FRM"),
              text);  // existing folders matched case-blind
    EXPECT_TRUE(IsReadOnly(data / "proto" / "items" / "00000001.pro"));
    EXPECT_FALSE(
        IsReadOnly(data / "proto" / "items" / "00000002.PRO"));  // the test is case-sensitive
    EXPECT_EQ(ReadFile(data / "newfolder" / "deep" / "x.txt"), Bytes("x"));
    EXPECT_EQ(ReadFile(data / "maps" / "x.map"), Bytes("map"));
    EXPECT_EQ(ReadFile(Game() / "database.txt"), Bytes("db"));
    EXPECT_EQ(journal_.DataDelList.size(), 8u);  // misc.msg stands twice
    EXPECT_EQ(journal_.KeptFiles.size(), 1u);

    int deleted = 0;
    CleanUpGameFolder(journal_, [&](int) { ++deleted; });
    EXPECT_EQ(deleted, 8);
    EXPECT_EQ(testing::SnapshotFolder(Game()), withUserFile);
    EXPECT_EQ(ReadFile(data / "text" / "english" / "game" / "misc.msg"), Bytes("the user's own"));
    EXPECT_TRUE(journal_.Empty());
    fs::remove(data / "text" / "english" / "game" / "misc.msg");
    EXPECT_EQ(testing::SnapshotFolder(Game()), before);
}

TEST_F(UnpackerTest, UnsafeAndDamagedMembersAreNeverWritten) {
    auto damaged = BuildDatImage({{.Name = "good.txt", .Content = Bytes("good")},
                                  {.Name = "bad.txt",
                                   .Content = Bytes(std::string(500, 'b')),
                                   .Storage = MemberStorage::Compressed,
                                   .RealSize = 400},
                                  {.Name = "..\\..\\escape.txt", .Content = Bytes("out")},
                                  {.Name = "C:\\drive.txt", .Content = Bytes("out")},
                                  {.Name = "text\\portuguese\\game\\g_healing_revision.msg"}});
    WriteFile(folder_ / "mixed.dat", damaged);
    ASSERT_TRUE(Unpack(folder_ / "mixed.dat"));
    ASSERT_EQ(unpacker_.Problems().size(), 3u);
    EXPECT_EQ(unpacker_.Problems()[0].Member, "bad.txt");
    EXPECT_EQ(unpacker_.Problems()[1].Member, "..\\..\\escape.txt");
    EXPECT_TRUE(fs::exists(Game() / "Data" / "good.txt"));
    EXPECT_TRUE(fs::exists(Game() / "Data/text/portuguese/game/g_healing_revision.msg"));
    EXPECT_FALSE(fs::exists(Game() / "Data" / "bad.txt"));
    EXPECT_FALSE(fs::exists(folder_ / "escape.txt"));
    EXPECT_FALSE(fs::exists(Game() / "escape.txt"));
    EXPECT_EQ(journal_.DataDelList.size(), 2u);
}

// The engine reads ahead and inflates on several threads; the game folder, the journal, the
// problems and the progress must still be exactly those of one thread inflating with zlib: a
// member twice (in one archive and across two) ends as the later one, a damaged member is never
// written, not even over an earlier whole one, an unsafe name is refused.
TEST_F(UnpackerTest, SeveralThreadsLeaveExactlyWhatOneThreadLeaves) {
    std::vector<ImageMember> first, second;
    for (int i = 0; i < 30; ++i) {
        const std::string text = "first " + std::to_string(i) + std::string(50 + i * 41, 'f');
        first.push_back(
            {.Name = "art\\m" + std::to_string(i % 20) + ".frm", .Content = Bytes(text)});
    }
    first.push_back({.Name = "..\\escape.txt", .Content = Bytes("out")});
    first.push_back({.Name = "proto\\items\\00000001.pro", .Content = Bytes("proto")});
    for (int i = 0; i < 25; ++i) {
        const std::string text = "second " + std::to_string(i) + std::string(70 + i * 23, 's');
        second.push_back(
            {.Name = "ART\\M" + std::to_string(i % 10) + ".FRM", .Content = Bytes(text)});
        if (i == 8) {
            second.push_back({.Name = "art\\m15.frm",
                              .Content = Bytes(std::string(500, 'b')),
                              .Storage = MemberStorage::Compressed,
                              .RealSize = 400});
        }
    }
    const fs::path firstDat = Archive("first.dat", first);
    const fs::path secondDat = Archive("second.dat", second);

    struct Outcome {
        std::map<std::string, std::string> files;
        std::vector<std::string> written, problems, steps;
    };
    auto run = [&](const fs::path& game, UnpackEngine engine) {
        fs::create_directories(game);
        CreateDataFolders(game.string());
        WriteFile(game / "data" / "art" / "m3.frm", "the user's own");
        UnpackJournal journal;
        Unpacker unpacker(game, settings_, journal, nullptr, engine);
        Outcome outcome;
        for (const fs::path& archive : {firstDat, secondDat}) {
            EXPECT_TRUE(unpacker.UnpackArchive(
                archive, archive.filename().string(), [&](std::int32_t number, std::int32_t total) {
                    outcome.steps.push_back(std::to_string(number) + "/" + std::to_string(total));
                }));
        }
        for (const auto& [path, content] : testing::SnapshotFolder(game)) {
            if (path.rfind(".vrel-kept", 0) != 0) {  // named by the time
                outcome.files[path] = content;
            }
        }
        for (const fs::path& file : journal.DataDelList) {
            outcome.written.push_back(file.lexically_relative(game).generic_string());
        }
        for (const UnpackFailure& problem : unpacker.Problems()) {
            outcome.problems.push_back(
                problem.Archive + ": " + problem.Member + ": " +
                std::to_string(static_cast<int>(problem.Kind)) + "/" +
                std::to_string(problem.Detail.index()) + "/" +
                std::visit([](const auto& detail) { return DetailNumber(detail); },
                           problem.Detail));
        }
        EXPECT_EQ(journal.KeptFiles.size(), 1u);
        return outcome;
    };
    const Outcome one = run(folder_ / "one", {.threads = 1, .inflater = Inflater::ZlibOnly});
    const Outcome several = run(folder_ / "several", {.threads = 3});
    EXPECT_EQ(several.files, one.files);
    EXPECT_EQ(several.written, one.written);
    EXPECT_EQ(several.problems, one.problems);
    EXPECT_EQ(several.steps, one.steps);
    EXPECT_EQ(ReadFile(folder_ / "several" / "data" / "art" / "m15.frm"),
              Bytes("first 15" + std::string(50 + 15 * 41, 'f')));
    EXPECT_EQ(ReadFile(folder_ / "several" / "data" / "art" / "m3.frm"),
              Bytes("second 23" + std::string(70 + 23 * 23, 's')));
    EXPECT_EQ(one.problems.size(), 2u);
}

TEST_F(UnpackerTest, UnreadableArchivesAreReportedAndEmptyOnesWriteNothing) {
    WriteFile(folder_ / "tiny.dat", "abc");
    ASSERT_TRUE(Unpack(folder_ / "tiny.dat"));
    ASSERT_TRUE(Unpack(folder_ / "missing.dat"));
    ASSERT_TRUE(Unpack(Archive("empty.dat", {})));
    EXPECT_EQ(unpacker_.Problems().size(), 2u);
    EXPECT_TRUE(journal_.Empty());
}

TEST_F(UnpackerTest, WithDeleteDataFilesOffTheFilesStayAndNothingIsKeptAside) {
    settings_.DeleteDataFiles = false;
    WriteFile(Game() / "Data" / "maps" / "a.map", "user");
    ASSERT_TRUE(Unpack(Archive("a.dat", {{.Name = "maps\\a.map", .Content = Bytes("mod")}})));
    EXPECT_TRUE(journal_.DataDelList.empty());
    EXPECT_TRUE(journal_.KeptFiles.empty());
    EXPECT_EQ(ReadFile(Game() / "Data" / "maps" / "a.map"), Bytes("mod"));
}

TEST_F(UnpackerTest, ReadOnlyFileAtTheTargetIsReplaced) {
    settings_.DeleteDataFiles = false;
    const fs::path target = Game() / "Data" / "proto" / "items" / "00000001.pro";
    WriteFile(target, "old");
    fs::permissions(target, fs::perms::owner_read);
    ASSERT_TRUE(Unpack(
        Archive("a.dat", {{.Name = "proto\\items\\00000001.pro", .Content = Bytes("new")}})));
    EXPECT_EQ(ReadFile(target), Bytes("new"));
    EXPECT_TRUE(unpacker_.Problems().empty());
}

#ifdef _WIN32
TEST_F(UnpackerTest, HiddenSystemAndReadOnlyFilesAtTheTargetAreReplacedAndComeBack) {
    // Guards replacing files whose attributes keep Windows from overwriting them in place.
    const fs::path target = Game() / "Data" / "proto" / "items" / "00000001.pro";
    constexpr DWORD kStubborn =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    for (const bool deleteDataFiles : {false, true}) {
        SCOPED_TRACE(deleteDataFiles ? "kept aside and put back" : "replaced for good");
        settings_.DeleteDataFiles = deleteDataFiles;
        WriteFile(target, "old");
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), kStubborn));
        Unpacker unpacker(Game(), settings_, journal_);
        ASSERT_TRUE(unpacker.UnpackArchive(
            Archive("a.dat", {{.Name = "PROTO\\Items\\00000001.pro", .Content = Bytes("new")}}),
            "a.dat", {}));
        EXPECT_TRUE(unpacker.Problems().empty());
        EXPECT_EQ(ReadFile(target), Bytes("new"));
        EXPECT_TRUE(IsReadOnly(target));
        CleanUpGameFolder(journal_, {});
        if (deleteDataFiles) {
            EXPECT_EQ(ReadFile(target), Bytes("old"));
            EXPECT_EQ(GetFileAttributesW(target.c_str()) & kStubborn, kStubborn);
        }
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove(target);
    }
}
#else
TEST_F(UnpackerTest, AMemberDifferingOnlyInCaseReplacesTheFileAndPutsItBack) {
    // Windows matches names case-blind by itself; here the unpacker must, or FOO.TXT would stand
    // beside foo.txt and the game, which looks case-blind, would find either.
    const fs::path data = Game() / "Data";
    WriteFile(data / "foo.txt", "the user's own");
    const auto before = testing::SnapshotFolder(Game());
    ASSERT_TRUE(Unpack(Archive("a.dat", {{.Name = "FOO.TXT", .Content = Bytes("mod")}})));
    EXPECT_FALSE(fs::exists(data / "FOO.TXT"));
    EXPECT_EQ(ReadFile(data / "foo.txt"), Bytes("mod"));
    EXPECT_EQ(journal_.KeptFiles.size(), 1u);
    CleanUpGameFolder(journal_, {});
    EXPECT_EQ(testing::SnapshotFolder(Game()), before);
}

TEST_F(UnpackerTest, AFailedWriteStopsAndLeavesNoPartialFile) {
    // Guards the full-disk case: a write that fails part-way must not leave half a file.
    const auto big = Bytes(std::string(256 * 1024, 'z'));
    const auto archive = Archive(
        "big.dat", {{.Name = "small.txt", .Content = Bytes("s")},
                    {.Name = "big.bin", .Content = big, .Storage = MemberStorage::Compressed},
                    {.Name = "after.txt", .Content = Bytes("a")}});
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limited);
    const auto completed = Unpack(archive);
    setrlimit(RLIMIT_FSIZE, &saved);

    ASSERT_FALSE(completed);
    EXPECT_EQ(completed.error().Member, "big.bin");
    EXPECT_FALSE(fs::exists(Game() / "Data" / "big.bin"));
    EXPECT_FALSE(fs::exists(Game() / "Data" / "after.txt"));
    EXPECT_EQ(journal_.DataDelList, std::vector<fs::path>{Game() / "Data" / "small.txt"});
}
#endif

}  // namespace
}  // namespace vrel
