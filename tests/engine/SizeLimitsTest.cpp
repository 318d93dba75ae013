// Sizes a job must fit: which lengths a volume refuses by its file system's name (FAT's
// 32-bit length in every spelling Windows and Linux give it, nothing else refused),
// and the room a job needs on a volume that runs out of it. The smallest piece size
// is checked where it is said, in the piece limit's box (OutcomeBoxTest).
#include "engine/SizeLimits.h"

#include "engine/MergePieces.h"
#include "engine/PieceName.h"
#include "engine/SplitFile.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"
#include "framework/portable/Volume.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(SizeLimits, FatVolumesRefuse4GiBAndMore)
{
    const std::uint64_t k4GiB = std::uint64_t{1} << 32;
    const struct {
        const char* pszFileSystem;
        std::uint64_t nLength;
        bool bTooLong;
    } rows[] = {
        {"FAT32", k4GiB - 1, false},
        {"FAT32", k4GiB, true},
        {"FAT32", k4GiB * 1000, true},
        {"FAT", k4GiB, true},
        {"FAT12", k4GiB, true},
        {"FAT16", k4GiB + 1, true},
        {"fat32", k4GiB, true},
        {"FAT32", 0, false},
        {"exFAT", k4GiB * 1000, false},
        {"NTFS", k4GiB * 1000, false},
        {"ext4", k4GiB, false},
        {"", k4GiB, false},
        // Only whole names: these are not FAT.
        {"FAT3", k4GiB, false},
        {"FAT32 ", k4GiB, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FileTooLongFor(row.pszFileSystem, row.nLength), row.bTooLong)
            << row.pszFileSystem << ", " << row.nLength;
}

// The smallest piece size for a length is the one where the piece count first fits
// the three digits: one byte less needs a piece more than they number.
TEST(SizeLimits, SmallestPieceSizeIsWherePieceCountFits)
{
    for (const std::uint64_t nLength : {std::uint64_t{998}, std::uint64_t{999}, std::uint64_t{1000},
                                        std::uint64_t{998001}, std::uint64_t{999000}, std::uint64_t{64000000000}}) {
        const std::uint64_t nSize = SmallestPieceSize(nLength);
        EXPECT_LE(PieceCount(nLength, nSize), std::uint64_t{kMaxPieces}) << nLength;
        if (nSize > 1) {
            EXPECT_GT(PieceCount(nLength, nSize - 1), std::uint64_t{kMaxPieces}) << nLength;
        }
    }
    EXPECT_EQ(PieceCount(3000, 1000), 4u) << "an exact multiple ends with an empty piece";
}

// On the 4 MiB volume of small-volume.sh (ctest's engine_small_volume), a split of
// 3,000,000 bytes (four pieces, the last empty, and a record of five lines) and a
// merge of 2,500,000 find about 1.2 and 1.7 MB left: each is refused with both
// figures, every file counted in whole pages of the volume, and writes nothing.
TEST(SmallVolume, NoRoomRefusesBeforeAnythingIsWritten)
{
    const char* pszVolume = std::getenv("TOSVIK_SMALL_VOLUME");
    if (pszVolume == nullptr)
        GTEST_SKIP() << "no small volume: ctest's engine_small_volume mounts one, natively as root";
    const std::string strDir = pszVolume;
    const auto expectRefused = [&](const CJobOutcome& o, std::uint64_t nNeeded, std::size_t nFiles) {
        EXPECT_EQ(o.reason, JobReason::NoRoom);
        EXPECT_EQ(o.nBytes, nNeeded);
        EXPECT_GT(o.nFreeBytes, 1000000u);
        EXPECT_LT(o.nFreeBytes, o.nBytes);
        EXPECT_EQ(ListFolder(strDir).size(), nFiles + 2) << "with . and ..";
    };
    WriteBytes(strDir + "/s.bin", MakeBytes(3000000));
    // Three pieces of 245 pages, an empty one, a record of one page.
    expectRefused(SplitFile(strDir + "/s.bin", 1000000), (3 * 245 + 1) * 4096, 1);
    RemoveFile(strDir + "/s.bin");
    for (const char* name : {"m_001.bin", "m_002.bin"})
        WriteBytes(strDir + "/" + name, MakeBytes(1000000));
    WriteBytes(strDir + "/m_003.bin", MakeBytes(500000));
    expectRefused(MergePieces(strDir + "/m_001.bin"), 611 * 4096, 3);

    // From a disk with room into the small volume: counted where the files go.
    CTempDir disk;
    WriteBytes(disk.Path("s.bin"), MakeBytes(3000000));
    const CJobOutcome split = SplitFile(disk.Path("s.bin"), 1000000, nullptr, true, strDir);
    EXPECT_EQ(split.strFile, strDir + "/s_001.bin");
    expectRefused(split, (3 * 245 + 1) * 4096, 3);
    const CJobOutcome merge = MergePieces(strDir + "/m_001.bin", nullptr, false, disk.Path(""));
    EXPECT_TRUE(merge.IsDone()) << "the disk has room for what the small volume holds";
}

// Room for a split in whole pages: two pieces of 125 pages and a last one a byte
// into its second, and a record of one page. Exactly that much room is enough; a
// page less is refused, though it would hold the bytes themselves.
TEST(SmallVolume, RoomIsCountedInWholeAllocationUnits)
{
    const char* pszVolume = std::getenv("TOSVIK_SMALL_VOLUME");
    if (pszVolume == nullptr)
        GTEST_SKIP() << "no small volume: ctest's engine_small_volume mounts one, natively as root";
    const std::string strDir = pszVolume;
    const std::string strSource = strDir + "/s.bin";
    const std::uint64_t nNeeded = (125 + 125 + 2 + 1) * 4096;
    for (std::uint64_t nShort : {0, 4096}) {
        SCOPED_TRACE(nShort);
        for (const std::string& name : ListFolder(strDir)) {
            if (name != "." && name != "..")
                RemoveFile(strDir + "/" + name);
        }
        WriteBytes(strSource, MakeBytes(2 * 512000 + 4097));
        std::uint64_t nFree = 0;
        ASSERT_TRUE(GetFreeSpaceFor(strSource, nFree));
        ASSERT_GE(nFree, nNeeded);
        WriteBytes(strDir + "/filler", std::string(nFree - nNeeded + nShort, 'f'));
        ASSERT_TRUE(GetFreeSpaceFor(strSource, nFree));
        ASSERT_EQ(nFree, nNeeded - nShort);
        const CJobOutcome outcome = SplitFile(strSource, 512000);
        if (nShort == 0) {
            EXPECT_TRUE(outcome.IsDone());
        } else {
            EXPECT_EQ(outcome.reason, JobReason::NoRoom);
            EXPECT_EQ(outcome.nBytes, nNeeded);
        }
    }
}
