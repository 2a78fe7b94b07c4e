#include "archive/DatWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "DatImage.h"
#include "TempFolder.h"
#include "archive/DatWalk.h"
#include "archive/Decompress.h"

namespace vrel {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::uint8_t> Sample(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * seed) % 97 + (i % 13 == 0 ? seed : 0));
    }
    return bytes;
}

// Keeping the packer's state between members must not change a stream, and whichever library
// packs, plain zlib must inflate every stream to its content.
TEST(MemberCompressor, StreamsDependOnTheContentAloneAndZlibInflatesThem) {
    for (int level : {-1, 0, 1, 6, 9}) {
        MemberCompressor compressor(level);
        std::vector<std::uint8_t> packed;
        for (std::size_t size : {0u, 1u, 1000u, 70'000u, 1000u}) {
            const auto content = Sample(size, static_cast<unsigned>(size % 11 + 3));
            compressor.Compress(content, packed);
            std::vector<std::uint8_t> fresh;
            MemberCompressor(level).Compress(content, fresh);
            EXPECT_EQ(packed, fresh) << level << " " << size;
            EXPECT_EQ(DecompressWithZlib(packed, static_cast<std::int32_t>(size)), Z_OK);
            EXPECT_EQ(packed, content) << level << " " << size;
        }
    }
}

TEST(DatWriter, ArchiveIsReadBackByTheWalk) {
    TempFolder folder;
    const auto path = folder / "mod.dat";
    auto writer = DatWriter::Create(path, 6);
    ASSERT_TRUE(writer.has_value());
    ASSERT_TRUE(AddMember(*writer, "b.txt", Sample(3000, 5), MemberStorage::Smallest));
    ASSERT_TRUE(AddMember(*writer, "a.txt", Bytes("abc"), MemberStorage::Smallest));
    // A level of its own for one member.
    ASSERT_TRUE(AddMember(*writer, "c.txt", Sample(3000, 5), MemberStorage::Compressed, 1));
    ASSERT_TRUE(writer->Finish(
        [](const WrittenEntry& x, const WrittenEntry& y) { return x.Name < y.Name; }));

    auto walk = DatWalk::Open(path);
    ASSERT_TRUE(walk.has_value());
    auto first = walk->NextDatEntry();
    EXPECT_EQ(walk->FilesTotal(), 3);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Name, "a.txt");
    EXPECT_EQ(first->Compressed, 0);  // three bytes do not pack smaller
    EXPECT_EQ(walk->ReadDatMember(*first).Bytes, Bytes("abc"));
    auto second = walk->NextDatEntry();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Compressed, 1);
    EXPECT_EQ(walk->ReadDatMember(*second).Bytes, Sample(3000, 5));
    auto third = walk->NextDatEntry();
    ASSERT_TRUE(third);
    std::vector<std::uint8_t> levelOne;
    MemberCompressor(1).Compress(Sample(3000, 5), levelOne);
    EXPECT_EQ(third->PackedSize, static_cast<std::int32_t>(levelOne.size()));
    EXPECT_EQ(walk->ReadDatMember(*third).Bytes, Sample(3000, 5));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// Guards that an archive already there survives a write that is given up half way.
TEST(DatWriter, UnfinishedArchiveLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    const auto path = folder / "mod.dat";
    WriteFile(path, "old");
    {
        auto writer = DatWriter::Create(path);
        ASSERT_TRUE(writer.has_value());
        ASSERT_TRUE(AddMember(*writer, "a.txt", Bytes("abc"), MemberStorage::Stored));
    }
    EXPECT_EQ(ReadFile(path), Bytes("old"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace vrel
