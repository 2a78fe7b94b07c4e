#include "archive/Catalogue.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

TEST(Catalogue, MemberCollectionIsSharedNotCopied) {
    FalloutDat_Collection dats;
    auto files = std::make_shared<FileInDat_Collection>();
    FalloutDat& dat = dats.Add(2, 3, "/p/Patches/a.dat", false, "desc", files);
    files->Add("art\\a.frm");
    files->Add("maps\\b.map");
    EXPECT_EQ(dat.Files->Count(), 2);
    EXPECT_EQ(dats.Item(1).Files->Item(2).FullPath, "maps\\b.map");
    EXPECT_EQ(dats.Item(1).Index, 2);
    EXPECT_EQ(dats.Item(1).FilesTotal, 3);
    EXPECT_EQ(dats.Item(1).ModDesc, "desc");
}

TEST(Catalogue, PositionsCountFromOne) {
    FalloutDat_Collection dats;
    dats.Add(1, 0, "a", true, "", nullptr);
    dats.Add(2, 0, "b", false, "", nullptr);
    dats.Add(3, 0, "c", false, "", nullptr);
    EXPECT_EQ(dats.Count(), 3);
    EXPECT_EQ(dats.Item(dats.Count() - 1).FullPath, "b");
    EXPECT_EQ(dats.Item(dats.Count()).FullPath, "c");
    EXPECT_EQ(dats.Item(3).Files->Count(), 0);
    EXPECT_THROW(dats.Item(0), std::out_of_range);
    EXPECT_THROW(dats.Item(4), std::out_of_range);
}

}  // namespace
}  // namespace vrel
