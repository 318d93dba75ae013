// The volume under a file, asked through the file's folder, for files not yet written
// too. Its figures are checked on a small volume where the room runs out
// (SizeLimitsTest).
#include "framework/portable/Volume.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

TEST(Volume, AsksTheFolderOfAFileThatNeedNotExist)
{
    CTempDir dir;
    const std::string strWritten = dir.Path("written.bin");
    WriteBytes(strWritten, "abc");
    std::uint64_t nFree = 0;
    EXPECT_TRUE(GetFreeSpaceFor(dir.Path("not yet.bin"), nFree));
    EXPECT_GT(nFree, 0u);
    std::string strName, strNameWritten;
    EXPECT_TRUE(GetFileSystemFor(dir.Path("not yet.bin"), strName));
    EXPECT_TRUE(GetFileSystemFor(strWritten, strNameWritten));
    EXPECT_FALSE(strName.empty());
    EXPECT_EQ(strName, strNameWritten);

    // A bare name is in the current folder.
    EXPECT_TRUE(GetFreeSpaceFor("bare.bin", nFree));
    // A folder that is not there has no room to give.
    EXPECT_FALSE(GetFreeSpaceFor(dir.Path("no folder/x.bin"), nFree));
}
