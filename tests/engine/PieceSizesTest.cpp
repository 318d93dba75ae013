// Piece sizes of whole MB, up to one past 4 GiB: every piece exactly as long as it
// should be, the last one shorter or empty, and its bytes taken from the right place.
// The sources are sparse with marks at chosen offsets, so the bytes are sampled there.
#include "engine/MergePieces.h"
#include "engine/PieceName.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::uint64_t kMB = 1000000;
const std::uint64_t k4GiB = std::uint64_t{1} << 32;

std::string ReadAt(const std::string& path, std::uint64_t nOffset, std::size_t nCount)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        throw std::runtime_error("cannot open " + path);
    std::string bytes(nCount, '\0');
    file.Seek(nOffset);
    bytes.resize(file.Read(&bytes[0], nCount));
    return bytes;
}

// Offsets of the source worth a sample: each end of each piece, and 4 GiB.
std::set<std::uint64_t> SampleOffsets(std::uint64_t nLength, std::uint64_t nPiece)
{
    std::set<std::uint64_t> offsets = {0, nLength - 16, k4GiB - 8};
    for (std::uint64_t nStart = nPiece; nStart < nLength; nStart += nPiece) {
        offsets.insert(nStart - 16);
        offsets.insert(nStart);
    }
    for (auto it = offsets.begin(); it != offsets.end();)
        it = *it + 16 > nLength ? offsets.erase(it) : std::next(it);
    return offsets;
}

// A sparse source of nLength bytes, each sample offset marked with bytes that name it.
void WriteMarkedSource(const std::string& path, std::uint64_t nLength, const std::set<std::uint64_t>& offsets)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        throw std::runtime_error("cannot create " + path);
    for (std::uint64_t nOffset : offsets) {
        file.Seek(nOffset);
        const std::string mark = AfxFormat("%015llx|", static_cast<unsigned long long>(nOffset));
        file.Write(mark.data(), mark.size());
    }
    file.Seek(nLength - 1);
    file.Write("$", 1);
}

TEST(PieceSizes, EachPieceHoldsItsSliceOfTheSource)
{
    const struct {
        int nPieceK;
        std::uint64_t nLength;
        std::vector<std::uint64_t> pieces;
        bool bMergeBack;
    } rows[] = {
        {1000, 2500000, {kMB, kMB, kMB / 2}, true},
        // An exact multiple ends with an empty piece, which tells a merge the end.
        {1000, 3 * kMB, {kMB, kMB, kMB, 0}, true},
        {100000, 250 * kMB, {100 * kMB, 100 * kMB, 50 * kMB}, true},
        // 4,294,968,000 bytes: in 32 bits it would be 1000.
        {4294968, 4294968001u, {4294968000u, 1}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nPieceK << "K pieces of " << row.nLength << " bytes");
        CTempDir dir;
        const std::string source = dir.Path("film.mkv");
        const std::uint64_t nPiece = static_cast<std::uint64_t>(row.nPieceK) * 1000;
        const std::set<std::uint64_t> offsets = SampleOffsets(row.nLength, nPiece);
        WriteMarkedSource(source, row.nLength, offsets);

        // The largest without its record: hashing 4 GiB adds time and proves nothing here.
        const bool bChecksums = row.bMergeBack;
        ASSERT_EQ(SplitFile(source, row.nPieceK, nullptr, bChecksums),
                  CJobOutcome::Done(JobKind::Split, dir.Path("film_001.mkv")));
        const CPieceName first(dir.Path("film_001.mkv"));
        for (std::size_t i = 0; i < row.pieces.size(); ++i) {
            CFile piece;
            ASSERT_TRUE(piece.Open(first.PieceName(static_cast<int>(i + 1)), CFile::modeRead)) << i + 1;
            EXPECT_EQ(piece.GetLength(), row.pieces[i]) << "piece " << i + 1;
        }
        EXPECT_FALSE(FileExists(first.PieceName(static_cast<int>(row.pieces.size() + 1))));
        for (std::uint64_t nOffset : offsets) {
            const std::uint64_t nIndex = nOffset / nPiece;
            const std::uint64_t nInPiece = nOffset - nIndex * nPiece;
            // A sample that runs past its piece is checked up to the piece's end.
            const std::size_t nCount = static_cast<std::size_t>(std::min<std::uint64_t>(16, nPiece - nInPiece));
            EXPECT_EQ(ReadAt(first.PieceName(static_cast<int>(nIndex + 1)), nInPiece, nCount),
                      ReadAt(source, nOffset, nCount))
                << "source offset " << nOffset;
        }
        if (!row.bMergeBack)
            continue;
        const std::string tail = ReadAt(source, row.nLength - 16, 16);
        ASSERT_EQ(MergePieces(first.Path()), CJobOutcome::Done(JobKind::Merge, source));
        CFile merged;
        ASSERT_TRUE(merged.Open(source, CFile::modeRead));
        EXPECT_EQ(merged.GetLength(), row.nLength);
        merged.Close();
        EXPECT_EQ(ReadAt(source, row.nLength - 16, 16), tail);
    }
}

// The limit of 999 pieces at 1 MB: 999,000,000 bytes need a thousandth, which is
// refused before anything is written and names the length, so a larger size can be
// suggested.
TEST(PieceSizes, AThousandPiecesAreRefusedWithTheSourcesLength)
{
    CTempDir dir;
    WriteSparse(dir.Path("big.iso"), 999 * kMB, "a", "z");
    const CJobOutcome outcome = SplitFile(dir.Path("big.iso"), 1000);
    EXPECT_EQ(outcome, CJobOutcome::Refused(JobKind::Split, JobReason::TooManyPieces));
    EXPECT_EQ(outcome.nBytes, 999 * kMB);
    EXPECT_EQ(dir.Count(), 1u);
}

} // namespace
