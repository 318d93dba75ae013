// The volume under a file: asked through the file's folder, for files not yet
// written too, and with figures that follow what is written there.
#include "framework/portable/Volume.h"

#include "framework/portable/String.h"
#include "tests/engine/SmallVolume.h"
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

#ifndef _WIN32
TEST(Volume, FreeSpaceIsWhatAFileMayStillTake)
{
    const std::uint64_t kMiB = 1 << 20;
    const CSmallVolumeRun run = RunOnSmallVolume(4 * kMiB, [&](const std::string& strDir) {
        std::uint64_t nEmpty = 0, nAfter = 0;
        std::string strName;
        GetFreeSpaceFor(strDir + "/a.bin", nEmpty);
        WriteBytes(strDir + "/a.bin", std::string(kMiB, 'x'));
        GetFreeSpaceFor(strDir + "/b.bin", nAfter);
        GetFileSystemFor(strDir + "/b.bin", strName);
        return AfxFormat("%llu %llu %s", static_cast<unsigned long long>(nEmpty / 1024),
                         static_cast<unsigned long long>(nAfter / 1024), strName.c_str());
    });
    if (!run.bRan)
        GTEST_SKIP() << "no small volume to fill (" << run.strWhy << ")";
    EXPECT_EQ(run.strResult, "4096 3072 tmpfs");
}
#endif
