// Sizes a job must fit: which lengths a volume refuses by its file system's name (FAT's
// 32-bit length in every spelling Windows and Linux give it, nothing else refused),
// and the smallest piece that keeps a split within its piece numbers.
#include "engine/SizeLimits.h"

#include "engine/MergePieces.h"
#include "engine/PieceName.h"
#include "engine/SplitFile.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"
#include "tests/engine/SmallVolume.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

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

// The smallest piece keeps the split within the numbers, and one byte less would not.
TEST(SizeLimits, SmallestPieceSizeIsTheTurningPoint)
{
    const auto count = [](std::uint64_t nLength, std::uint64_t nPiece) { return nLength / nPiece + 1; };
    const std::uint64_t lengths[] = {
        1, 998, 999, 1000, 998999, 999000, 40000000000u, (std::uint64_t{1} << 32) + 1000,
        std::numeric_limits<std::uint64_t>::max(),
    };
    for (std::uint64_t nLength : lengths) {
        SCOPED_TRACE(nLength);
        const std::uint64_t nPiece = SmallestPieceSize(nLength);
        EXPECT_LE(count(nLength, nPiece), static_cast<std::uint64_t>(kMaxPieces));
        if (nPiece > 1) {
            EXPECT_GT(count(nLength, nPiece - 1), static_cast<std::uint64_t>(kMaxPieces));
        }
    }
}

#ifndef _WIN32
namespace {

// How a job on the small volume ended, told from the child that ran it.
struct CRoomRun {
    int nReason = -1;
    std::uint64_t nBytes = 0;
    std::uint64_t nFreeBytes = 0;
    std::size_t nFiles = 0;
    std::string strFile;
};

std::string Describe(const CJobOutcome& outcome, std::size_t nFiles)
{
    return AfxFormat("%d %llu %llu %zu %s\n", static_cast<int>(outcome.reason),
                     static_cast<unsigned long long>(outcome.nBytes),
                     static_cast<unsigned long long>(outcome.nFreeBytes), nFiles, outcome.strFile.c_str());
}

std::vector<CRoomRun> ParseRuns(const std::string& strText)
{
    std::vector<CRoomRun> runs;
    std::istringstream in(strText);
    CRoomRun run;
    while (in >> run.nReason >> run.nBytes >> run.nFreeBytes >> run.nFiles >> run.strFile)
        runs.push_back(run);
    return runs;
}

} // namespace

// On a 4 MiB volume: a job whose bytes do not fit is refused with both figures and
// leaves the folder as it was; one whose bytes fit runs.
TEST(SizeLimits, NoRoomRefusesBeforeAnythingIsWritten)
{
    const CSmallVolumeRun run = RunOnSmallVolume(4 << 20, [](const std::string& strDir) {
        // What the folder holds once the job is over (. and .. left out).
        const auto describe = [&](const CJobOutcome& outcome) { return Describe(outcome, ListFolder(strDir).size() - 2); };
        const auto clear = [&] {
            for (const std::string& name : ListFolder(strDir))
                RemoveFile(strDir + "/" + name);
        };
        std::string strRuns;
        WriteBytes(strDir + "/s.bin", MakeBytes(3000000));
        strRuns += describe(SplitFile(strDir + "/s.bin", 1000));
        clear();
        WriteBytes(strDir + "/s.bin", MakeBytes(1000000));
        strRuns += describe(SplitFile(strDir + "/s.bin", 100));
        clear();
        for (const char* name : {"m_001.bin", "m_002.bin"})
            WriteBytes(strDir + "/" + name, MakeBytes(1000000));
        WriteBytes(strDir + "/m_003.bin", MakeBytes(500000));
        strRuns += describe(MergePieces(strDir + "/m_001.bin"));
        RemoveFile(strDir + "/m_002.bin");
        RemoveFile(strDir + "/m_003.bin");
        WriteBytes(strDir + "/m_002.bin", MakeBytes(500000));
        strRuns += describe(MergePieces(strDir + "/m_001.bin"));
        return strRuns;
    });
    if (!run.bRan)
        GTEST_SKIP() << "no small volume to fill (" << run.strWhy << ")";
    const std::vector<CRoomRun> runs = ParseRuns(run.strResult);
    ASSERT_EQ(runs.size(), 4u) << run.strResult;

    // The pieces and their record, 3,000,000 bytes and a few hundred, into about 1 MiB.
    EXPECT_EQ(runs[0].nReason, static_cast<int>(JobReason::NoRoom));
    EXPECT_GE(runs[0].nBytes, 3000000u);
    EXPECT_LT(runs[0].nBytes, 3000000u + 4096);
    EXPECT_LT(runs[0].nFreeBytes, runs[0].nBytes);
    EXPECT_GT(runs[0].nFreeBytes, 1000000u);
    EXPECT_EQ(runs[0].nFiles, 1u) << "only the source";
    EXPECT_NE(runs[0].strFile.find("/s_001.bin"), std::string::npos) << runs[0].strFile;

    EXPECT_EQ(runs[1].nReason, static_cast<int>(JobReason::Finished));
    EXPECT_EQ(runs[1].nFiles, 13u) << "the source, eleven pieces and the record";

    // 2,500,000 bytes merged into about 1.6 MiB: not even a temporary file is left.
    EXPECT_EQ(runs[2].nReason, static_cast<int>(JobReason::NoRoom));
    EXPECT_EQ(runs[2].nBytes, 2500000u);
    EXPECT_LT(runs[2].nFreeBytes, 2500000u);
    EXPECT_EQ(runs[2].nFiles, 3u);
    EXPECT_NE(runs[2].strFile.find("/m.bin"), std::string::npos) << runs[2].strFile;

    EXPECT_EQ(runs[3].nReason, static_cast<int>(JobReason::Finished));
    EXPECT_EQ(runs[3].nFiles, 3u) << "the two pieces and the merged file";
}
#endif
