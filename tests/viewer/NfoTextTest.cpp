#include "viewer/NfoText.h"

#include <gtest/gtest.h>

#include <vector>

#include "TempFolder.h"
#include "viewer/ViewerTexts.h"

namespace vrel {
namespace {

using testing::TempFolder;
using testing::WriteFile;

struct LineCase {
    const char* name;
    std::string_view bytes;
    std::size_t lines;
    const char* text;
};
void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeNfoTest : public ::testing::TestWithParam<LineCase> {
protected:
    NfoText Read(std::string_view bytes, const LineProgress& progress = {}) {
        WriteFile(folder_ / "notes.nfo", std::string(bytes));
        auto nfo = ReadNfo(folder_ / "notes.nfo", progress);
        EXPECT_TRUE(nfo) << DescribeNfoFailure(nfo.error());
        return nfo ? *nfo : NfoText{};
    }

    TempFolder folder_;
};

TEST_P(DecodeNfoTest, SplitsLinesAsTheConsoleReadsThem) {
    const LineCase& c = GetParam();
    const NfoText nfo = Read(c.bytes);
    EXPECT_EQ(nfo.Lines, c.lines);
    EXPECT_EQ(nfo.Text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, DecodeNfoTest,
    ::testing::Values(LineCase{"CrLf", "a\r\nb\r\nc", 3, "a\r\nb\r\nc\r\n"},
                      LineCase{"CrLfAtEnd", "a\r\nb\r\nc\r\n", 3, "a\r\nb\r\nc\r\n"},
                      LineCase{"CrAlone", "a\rb\rc\r", 3, "a\r\nb\r\nc\r\n"},
                      LineCase{"LfAloneIsOneLine", "a\nb\nc\n", 1, "a\nb\nc\n\r\n"},
                      LineCase{"LfCr", "a\n\rb", 2, "a\n\r\nb\r\n"},
                      LineCase{"EmptyLines", "\r\n\r\nx", 3, "\r\n\r\nx\r\n"},
                      LineCase{"OnlyATerminator", "\r\n", 1, "\r\n"},
                      LineCase{"NoTerminator", "x", 1, "x\r\n"},
                      LineCase{"Art", "\xDB\xDB\r\n\xC8\xBC", 2, "██\r\n╚╝\r\n"}));

TEST_F(DecodeNfoTest, LoadingCaptionCountsLinesReadBeforeEachLine) {
    std::vector<std::size_t> counts;
    const NfoText nfo = Read("one\r\ntwo\r\nthree\r\n",
                             [&](std::size_t linesRead) { counts.push_back(linesRead); });
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(nfo.Lines, 3u);
}

class ReadNfoTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(ReadNfoTest, ReadsTheFile) {
    WriteFile(folder_ / "notes.nfo", "one\r\ntwo\r\n");
    const auto nfo = ReadNfo(folder_ / "notes.nfo", {});
    ASSERT_TRUE(nfo) << DescribeNfoFailure(nfo.error());
    EXPECT_EQ(nfo->Text, "one\r\ntwo\r\n");
    EXPECT_EQ(nfo->Lines, 2u);
}

TEST_F(ReadNfoTest, FailuresSayWhatWentWrongAndWithWhichFile) {
    WriteFile(folder_ / "empty.nfo", "");
    const std::string folder = folder_.path().string();
    const struct {
        std::filesystem::path file;
        std::string description;
    } cases[] = {
        {folder_ / "missing.nfo", "File not found: " + (folder_ / "missing.nfo").string()},
        {folder_ / "empty.nfo", "The file is empty: " + (folder_ / "empty.nfo").string()},
        {folder_.path(), "Not a file but a folder: " + folder},
        {"", "No file name given"},
    };
    for (const auto& c : cases) {
        bool progressed = false;
        const auto nfo = ReadNfo(c.file, [&](std::size_t) { progressed = true; });
        ASSERT_FALSE(nfo) << c.file;
        EXPECT_EQ(DescribeNfoFailure(nfo.error()), c.description);
        EXPECT_FALSE(progressed) << c.file;
    }
}

}  // namespace
}  // namespace vrel
