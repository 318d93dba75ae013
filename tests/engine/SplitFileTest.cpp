#include "engine/MergePieces.h"
#include "engine/PieceName.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

CJobOutcome Refused(JobReason reason)
{
    return CJobOutcome::Refused(JobKind::Split, reason);
}

// Splits and merges back, over lengths around the piece size, in 1000-byte pieces and
// in pieces of many copy blocks; pieces that already exist are overwritten, the source
// is never changed.
TEST(SplitFile, RoundTrip)
{
    struct { std::size_t length; std::vector<std::size_t> pieces; } rows[] = {
        {1001, {1000, 1}},
        {1999, {1000, 999}},
        {2000, {1000, 1000, 0}},
        {2001, {1000, 1000, 1}},
        {2500, {1000, 1000, 500}},
        {3000, {1000, 1000, 1000, 0}},
        {6000001, {3000000, 3000000, 1}},
        {7500000, {3000000, 3000000, 1500000}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        CTempDir dir;
        const std::string source = dir.Path("data.bin");
        const std::string bytes = MakeBytes(row.length, static_cast<unsigned>(row.length));
        WriteBytes(source, bytes);
        WriteBytes(dir.Path("data_001.bin"), MakeBytes(5000, 7));
        EXPECT_EQ(SplitFile(source, row.pieces[0]),
                  CJobOutcome::Done(JobKind::Split, dir.Path("data_001.bin")));
        EXPECT_TRUE(g_bSplitOk);
        EXPECT_TRUE(SameBytes(ReadBytes(source), bytes));
        std::string piece = MakeFirstPieceName(source);
        std::size_t offset = 0;
        for (std::size_t i = 0; i < row.pieces.size(); ++i) {
            EXPECT_TRUE(SameBytes(ReadBytes(piece), bytes.substr(offset, row.pieces[i]))) << piece;
            offset += row.pieces[i];
            piece = MakeNextPieceName(piece, static_cast<int>(i + 1));
        }
        EXPECT_EQ(dir.Count(), row.pieces.size() + 2) << "the pieces, the source and the checksum record";

        EXPECT_EQ(MergePieces(dir.Path("data_001.bin")), CJobOutcome::Done(JobKind::Merge, source));
        EXPECT_TRUE(g_bMergeOk);
        EXPECT_TRUE(SameBytes(ReadBytes(source), bytes));
    }
}

// Pieces land next to the source even with dots in the folder and a code page 936
// name whose double-byte form there has a trail byte that reads '\'.
TEST(SplitFile, PiecesLandNextToTheSource)
{
    CTempDir dir;
    std::filesystem::create_directory(dir.Path("old.files"));
    const std::string names[] = {dir.Path("old.files") + "/a.tar.gz", dir.Path("a.誠b")};
    for (const std::string& source : names) {
        const std::string bytes = MakeBytes(1500);
        WriteBytes(source, bytes);
        const std::string first = MakeFirstPieceName(source);
        ASSERT_EQ(SplitFile(source, 1000), CJobOutcome::Done(JobKind::Split, first));
        ASSERT_TRUE(g_bSplitOk) << source;
        EXPECT_EQ(ReadBytes(first), bytes.substr(0, 1000));
        EXPECT_EQ(ReadBytes(MakeNextPieceName(first, 1)), bytes.substr(1000));
        WriteBytes(source, "stale");
        EXPECT_EQ(MergePieces(first), CJobOutcome::Done(JobKind::Merge, source));
        EXPECT_TRUE(g_bMergeOk);
        EXPECT_TRUE(SameBytes(ReadBytes(source), bytes));
    }
}

// Refused before any piece is written: a source no larger than a piece, a piece size
// of zero, or more pieces than the three digits number (999). The length past 4 GiB
// would look like 1000 bytes in 32 bits.
TEST(SplitFile, RefusalsWriteNothing)
{
    struct { std::uint64_t length; std::uint64_t nPiece; JobReason reason; } rows[] = {
        {0, 1000, JobReason::NotWorthSplitting},
        {1, 1000, JobReason::NotWorthSplitting},
        {1000, 1000, JobReason::NotWorthSplitting},
        {10, 0, JobReason::SizeError},
        {999000, 1000, JobReason::TooManyPieces},
        {(std::uint64_t{1} << 32) + 1000, 1000, JobReason::TooManyPieces},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        CTempDir dir;
        if (row.length > 1000000)
            WriteSparse(dir.Path("s.bin"), row.length, "a", "z");
        else
            WriteBytes(dir.Path("s.bin"), MakeBytes(static_cast<std::size_t>(row.length)));
        g_bSplitOk = true;
        EXPECT_EQ(SplitFile(dir.Path("s.bin"), row.nPiece), Refused(row.reason));
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(dir.Count(), 1u);
    }
}

TEST(SplitFile, UnreadableSourceWritesNothing)
{
    CTempDir dir;
    const std::string held = dir.Path("held.bin");
    WriteBytes(held, MakeBytes(3000));
    std::filesystem::create_directory(dir.Path("folder.bin"));
    CFile holder;
    ASSERT_TRUE(holder.Open(held, CFile::modeRead));
    for (const std::string& source : {dir.Path("missing.bin"), dir.Path("folder.bin"), held}) {
        g_bSplitOk = true;
        const CJobOutcome outcome = SplitFile(source, 1000);
        EXPECT_EQ(outcome, CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, source));
        EXPECT_NE(outcome.nOsError, 0) << "the system's cause, for " << source;
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(dir.Count(), 2u);
    }
}

// Piece 2 is held open by someone else: the split stops before it writes anything
// and leaves it alone.
TEST(SplitFile, PieceThatCannotBeReplacedStopsTheSplit)
{
    CTempDir dir;
    const std::string bytes = MakeBytes(3500);
    WriteBytes(dir.Path("s.bin"), bytes);
    WriteBytes(dir.Path("s_002.bin"), "in use");
    CFile holder;
    ASSERT_TRUE(holder.Open(dir.Path("s_002.bin"), CFile::modeRead));
    const CJobOutcome outcome = SplitFile(dir.Path("s.bin"), 1000);
    EXPECT_EQ(outcome, CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, dir.Path("s_002.bin")));
    EXPECT_NE(outcome.nOsError, 0);
    EXPECT_FALSE(g_bSplitOk);
    holder.Close();
    EXPECT_EQ(ReadBytes(dir.Path("s_002.bin")), "in use");
    EXPECT_EQ(dir.Count(), 2u);
}

// Natively every piece holds a descriptor until the set is whole: the split makes
// room for them under a low limit.
TEST(SplitFile, NineHundredNinetyNinePiecesSplitAndMergeBack)
{
#ifndef _WIN32
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max < 2000)
        GTEST_SKIP() << "the hard limit of open files is " << saved.rlim_max;
    struct rlimit low = saved;
    low.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
#endif
    CTempDir dir;
    const std::string bytes = MakeBytes(998999);
    WriteBytes(dir.Path("s.bin"), bytes);
    EXPECT_TRUE(SplitFile(dir.Path("s.bin"), 1000).IsDone());
    ASSERT_TRUE(g_bSplitOk);
    EXPECT_EQ(ReadBytes(dir.Path("s_999.bin")), bytes.substr(998000));
    WriteBytes(dir.Path("s.bin"), "stale");
    EXPECT_TRUE(MergePieces(dir.Path("s_001.bin")).IsDone());
    EXPECT_TRUE(g_bMergeOk);
    EXPECT_EQ(ReadBytes(dir.Path("s.bin")), bytes);
#ifndef _WIN32
    ::setrlimit(RLIMIT_NOFILE, &saved);
#endif
}

#ifndef _WIN32
// A write error (a file size limit in the middle of piece 1) escapes SplitFile,
// naming the piece, and leaves nothing of the split behind.
TEST(SplitFile, WriteErrorEscapesAndLeavesNothing)
{
    CTempDir dir;
    const std::string bytes = MakeBytes(2500);
    WriteBytes(dir.Path("s.bin"), bytes);
    g_bSplitOk = true;
    try {
        CFileSizeLimit limit(600);
        SplitFile(dir.Path("s.bin"), 1000);
        ADD_FAILURE() << "no write error";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetFileName(), dir.Path("s_001.bin"));
    }
    EXPECT_FALSE(g_bSplitOk);
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_EQ(ReadBytes(dir.Path("s.bin")), bytes);
}

// The copy block cannot be allocated: nothing is written. The
// process's address space is capped in a child of its own, so the rest of the
// tests keep their memory; sanitizers reserve too much address space to run there.
#if !defined(__SANITIZE_ADDRESS__)
int SplitWithCappedAddressSpace(const std::string& source)
{
    unsigned long nPages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr || std::fscanf(statm, "%lu", &nPages) != 1)
        return 2;
    std::fclose(statm);
    const rlim_t nCap = nPages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + 256 * 1024;
    struct rlimit limit = {nCap, nCap};
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
        return 3;
    const CJobOutcome outcome = SplitFile(source, 1000);
    return outcome == CJobOutcome::Failed(JobKind::Split, JobReason::NoMemory) && !g_bSplitOk &&
        !FileExists(MakeFirstPieceName(source)) ? 0 : 1;
}

// The child starts afresh (the "threadsafe" style runs the program again): a child
// forked from a heap that earlier tests left with free blocks could take its block
// from them under the cap, so the test failed when run a second time.
TEST(SplitFileDeathTest, BlockThatCannotBeAllocated)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CTempDir dir;
    const std::string source = dir.Path("s.bin");
    WriteBytes(source, MakeBytes(1500));
    EXPECT_EXIT(
        {
            const int nResult = SplitWithCappedAddressSpace(source);
            std::filesystem::remove_all(dir.Path(""));
            std::_Exit(nResult);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif
#endif

} // namespace
