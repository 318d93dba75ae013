// Piece sizes of whole MB, up to one past 4 GiB: every piece exactly as long as it
// should be, the last one shorter or empty, and its bytes from the right place. The
// sources are sparse, with marks on both sides of every cut and across 4 GiB, which
// are the bytes sampled.
#include "engine/MergePieces.h"
#include "engine/PieceName.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/String.h"
#include "framework/portable/Volume.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::uint64_t kMB = 1000000;

std::string ReadAt(const std::string& path, std::uint64_t nOffset, std::size_t nCount)
{
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead)) << path;
    std::string bytes(nCount, '\0');
    file.Seek(nOffset);
    bytes.resize(file.Read(&bytes[0], nCount));
    return bytes;
}

// A sparse source of nLength bytes with a 16-byte mark naming each offset returned.
std::set<std::uint64_t> WriteMarkedSource(const std::string& path, std::uint64_t nLength, std::uint64_t nPiece)
{
    std::set<std::uint64_t> offsets = {0, nLength - 16, (std::uint64_t{1} << 32) - 8};
    for (std::uint64_t nCut = nPiece; nCut < nLength; nCut += nPiece)
        offsets.insert({nCut - 16, nCut});
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    for (auto it = offsets.begin(); it != offsets.end();) {
        if (*it + 16 > nLength) {
            it = offsets.erase(it);
            continue;
        }
        file.Seek(*it);
        file.Write(AfxFormat("%015llx|", static_cast<unsigned long long>(*it++)).c_str(), 16);
    }
    file.Seek(nLength - 1);
    file.Write("$", 1);
    return offsets;
}

// Where a piece past 4 GiB is written in seconds rather than minutes on a busy disk:
// the memory-backed /dev/shm (under Wine, through its drive Z:) while it has room for
// twice as much, the temporary folder otherwise.
std::string BaseFor(std::uint64_t nBytes)
{
#ifdef _WIN32
    const std::string strShm = "Z:\\dev\\shm";
#else
    const std::string strShm = "/dev/shm";
#endif
    std::uint64_t nFree = 0;
    return GetFreeSpaceFor(strShm + "/x", nFree) && nFree / 2 > nBytes ? strShm : std::string();
}

TEST(PieceSizes, EachPieceHoldsItsSliceOfTheSource)
{
    const struct {
        std::uint64_t nPiece;
        std::uint64_t nLength;
        std::vector<std::uint64_t> pieces;
    } rows[] = {
        {kMB, 2500000, {kMB, kMB, kMB / 2}},
        // An exact multiple ends with an empty piece, which tells a merge the end.
        {kMB, 3 * kMB, {kMB, kMB, kMB, 0}},
        {100 * kMB, 250 * kMB, {100 * kMB, 100 * kMB, 50 * kMB}},
        // 4,294,968,000 bytes, which 32 bits would make 704.
        {4294968000u, 4294968001u, {4294968000u, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nPiece << "-byte pieces of " << row.nLength << " bytes");
        CTempDir dir(BaseFor(row.nLength));
        const std::string source = dir.Path("film.mkv");
        const std::uint64_t nPiece = row.nPiece;
        const std::set<std::uint64_t> offsets = WriteMarkedSource(source, row.nLength, nPiece);
        // Past 4 GiB without the record: hashing 4 GiB would add a minute under Wine.
        const bool bSmall = row.nLength < (std::uint64_t{1} << 32);
        ASSERT_EQ(SplitFile(source, nPiece, nullptr, bSmall),
                  CJobOutcome::Done(JobKind::Split, dir.Path("film_001.mkv")));
        const CPieceName first(dir.Path("film_001.mkv"));
        std::vector<std::uint64_t> lengths;
        for (int n = 1; FileExists(first.PieceName(n)); ++n) {
            CFile piece;
            piece.Open(first.PieceName(n), CFile::modeRead);
            lengths.push_back(piece.GetLength());
        }
        EXPECT_EQ(lengths, row.pieces);
        for (std::uint64_t nOffset : offsets) {
            const std::uint64_t nIndex = nOffset / nPiece;
            // A mark across a cut is compared up to the end of its piece.
            const std::size_t nCount = static_cast<std::size_t>(std::min<std::uint64_t>(16, nPiece - nOffset % nPiece));
            EXPECT_EQ(ReadAt(first.PieceName(static_cast<int>(nIndex + 1)), nOffset % nPiece, nCount),
                      ReadAt(source, nOffset, nCount))
                << "at " << nOffset;
        }
        if (bSmall) {
            const std::string tail = ReadAt(source, row.nLength - 16, 16);
            ASSERT_EQ(MergePieces(first.Path()), CJobOutcome::Done(JobKind::Merge, source));
            EXPECT_EQ(ReadAt(source, row.nLength - 16, 17), tail);
        }
    }
}

} // namespace
