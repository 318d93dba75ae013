#include "engine/ChecksumRecord.h"
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>


namespace {

std::string PieceName(int number)
{
    return AfxFormat("m_%03d.avi", number);
}

// Without a record the set is checked by its lengths before the output is touched:
// a gap, a piece longer than the first, a short piece that is not the last, or a
// last piece as long as the first (a split always ends shorter) is refused and the
// first piece that breaks the rule is named; every accepted set is copied whole. The
// output exists beforehand in every row, and the user agreed to replace it.
TEST(MergePieces, ChecksTheSetThenCopiesEveryPieceWhole)
{
    const JobReason OK = JobReason::Finished;
    const JobReason GAP = JobReason::PieceMissingBeforeLater;
    const JobReason SHORT = JobReason::PieceShorter;
    const JobReason LONG = JobReason::PieceLonger;
    const JobReason CUT = JobReason::SetIncomplete;
    struct { std::map<int, std::size_t> pieces; JobReason outcome; int named; } rows[] = {
        {{{1, 1000}}, CUT, 2},
        {{{1, 1000}, {2, 1000}}, CUT, 3},
        {{{1, 1000}, {2, 1000}, {3, 1000}}, CUT, 4},
        {{{1, 1000}, {2, 1000}, {3, 0}}, OK, 0},
        {{{1, 1000}, {2, 999}}, OK, 0},
        {{{1, 1500000}, {2, 1500000}, {3, 3}}, OK, 0},
        {{{1, 1000}, {2, 5000}, {3, 10}}, LONG, 2},
        {{{1, 1000}, {2, 1001}}, LONG, 2},
        {{{1, 70000}, {2, 70000}, {3, 200000}}, LONG, 3},
        {{{1, 1500000}, {2, 1500000}, {3, 1500001}, {4, 3}}, LONG, 3},
        {{{1, 0}, {2, 5}}, LONG, 2},
        {{{1, 1000}, {3, 1000}}, GAP, 2},
        {{{1, 1000}, {2, 1000}, {999, 5}}, GAP, 3},
        {{{1, 1000}, {2, 500}, {3, 1000}}, SHORT, 2},
        {{{1, 1000}, {2, 1000}, {3, 999}, {4, 1}}, SHORT, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pieces.size() * 10 + static_cast<std::size_t>(row.named));
        CTempDir dir;
        std::string expected;
        for (const auto& [number, length] : row.pieces) {
            std::string bytes = MakeBytes(length, static_cast<unsigned>(number));
            WriteBytes(dir.Path(PieceName(number)), bytes);
            expected += bytes;
        }
        WriteBytes(dir.Path("m.avi"), "previous");
        g_bMergeOk = true;
        EXPECT_EQ(MergePieces(dir.Path("m_001.avi"), nullptr, true), row.outcome == OK
            ? CJobOutcome::Done(JobKind::Merge, dir.Path("m.avi"))
            : CJobOutcome::Refused(JobKind::Merge, row.outcome, dir.Path(PieceName(row.named))));
        EXPECT_EQ(g_bMergeOk, row.outcome == OK);
        EXPECT_EQ(ReadBytes(dir.Path("m.avi")), row.outcome == OK ? expected : "previous");
        for (const auto& [number, length] : row.pieces)
            EXPECT_EQ(ReadBytes(dir.Path(PieceName(number))), MakeBytes(length, static_cast<unsigned>(number)));
    }
}

// Without a record nothing proves the pieces right, and a file of the merged name may
// be the intact original: it is replaced only once the user agreed. With a record
// that checks out, or with the name free, the merge goes on at once.
TEST(MergePieces, AsksBeforeReplacingAFileWithoutARecord)
{
    const struct {
        bool bRecord;
        bool bExists;
        bool bAgreed;
        bool bAsks;
    } rows[] = {
        {false, true, false, true},
        {false, true, true, false},
        {false, false, false, false},
        {true, true, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.bRecord << row.bExists << row.bAgreed);
        CTempDir dir;
        const std::string merged = dir.Path("m.avi");
        const std::string bytes = MakeBytes(2500);
        WriteBytes(merged, bytes);
        ASSERT_TRUE(SplitFile(merged, 1000).IsDone());
        if (!row.bRecord)
            std::filesystem::remove(ChecksumRecordName(merged));
        if (row.bExists)
            WriteBytes(merged, "original");
        else
            std::filesystem::remove(merged);
        const std::size_t nFiles = dir.Count();
        g_bMergeOk = true;
        const CJobOutcome outcome = MergePieces(dir.Path("m_001.avi"), nullptr, row.bAgreed);
        if (row.bAsks) {
            EXPECT_EQ(outcome, CJobOutcome::Asks(JobKind::Merge, JobReason::ReplaceUnchecked, merged));
            EXPECT_FALSE(g_bMergeOk);
            EXPECT_EQ(ReadBytes(merged), "original");
            EXPECT_EQ(dir.Count(), nFiles);
        } else {
            EXPECT_EQ(outcome, CJobOutcome::Done(JobKind::Merge, merged));
            EXPECT_TRUE(ReadBytes(merged) == bytes) << "the merged file differs";
        }
    }
}

// A selected piece must be named as piece 001 of its set, inside its file name.
TEST(MergePieces, BadNamesAreRefusedBeforeAnythingIsOpened)
{
    for (const char* name : {"m.avi", "ab.avi", "_01.avi", "m_002.avi", "m_999.avi", "m-001.avi"}) {
        CTempDir dir;
        WriteBytes(dir.Path(name), "abc");
        WriteBytes(dir.Path("m_001.avi"), "abc");
        g_bMergeOk = true;
        EXPECT_EQ(MergePieces(dir.Path(name)), CJobOutcome::Refused(JobKind::Merge, JobReason::NotFirstPiece, dir.Path(name)));
        EXPECT_FALSE(g_bMergeOk);
        EXPECT_EQ(dir.Count(), 2u) << name;
    }
}

// Three bytes that are not digits pass the check; the set goes on from number 2.
TEST(MergePieces, NumberThatIsNotDigits)
{
    CTempDir dir;
    WriteBytes(dir.Path("m_abc.avi"), "first");
    WriteBytes(dir.Path("m_002.avi"), "2nd");
    EXPECT_EQ(MergePieces(dir.Path("m_abc.avi")), CJobOutcome::Done(JobKind::Merge, dir.Path("m.avi")));
    EXPECT_TRUE(g_bMergeOk);
    EXPECT_EQ(ReadBytes(dir.Path("m.avi")), "first2nd");
}

// A file named like a temporary one, as an earlier version left them, stays as it
// is, and the merge leaves none of its own behind.
TEST(MergePieces, TemporaryNameNeverTakesAnExistingFile)
{
    CTempDir dir;
    WriteBytes(dir.Path("~tosvik000.tmp"), "someone's");
    WriteBytes(dir.Path("m_001.avi"), "first");
    WriteBytes(dir.Path("m_002.avi"), "2nd");
    EXPECT_TRUE(MergePieces(dir.Path("m_001.avi")).IsDone());
    EXPECT_EQ(ReadBytes(dir.Path("m.avi")), "first2nd");
    EXPECT_EQ(ReadBytes(dir.Path("~tosvik000.tmp")), "someone's");
    EXPECT_EQ(dir.Count(), 4u);
}

TEST(MergePieces, SelectedPieceOrOutputThatCannotBeOpened)
{
    CTempDir dir;
    for (const char* name : {"h", "d"}) {
        WriteBytes(dir.Path(std::string(name) + "_001.avi"), "abc");
        WriteBytes(dir.Path(std::string(name) + "_002.avi"), "");
    }
    CFile holder;
    ASSERT_TRUE(holder.Open(dir.Path("h.avi"), CFile::modeCreate | CFile::modeWrite));
    std::filesystem::create_directory(dir.Path("d.avi"));
    struct { std::string selected; JobReason reason; std::string named; } rows[] = {
        {dir.Path("m_001.avi"), JobReason::ReadSource, dir.Path("m_001.avi")},
        {dir.Path("h_001.avi"), JobReason::CreateFile, dir.Path("h.avi")},
        {dir.Path("d_001.avi"), JobReason::CreateFile, dir.Path("d.avi")},
    };
    for (const auto& row : rows) {
        g_bMergeOk = true;
        const CJobOutcome outcome = MergePieces(row.selected);
        EXPECT_EQ(outcome, CJobOutcome::Failed(JobKind::Merge, row.reason, row.named));
        // A folder is no plain file before any system call fails.
        if (row.named != dir.Path("d.avi")) {
            EXPECT_NE(outcome.nOsError, 0) << "the system's cause, for " << row.selected;
        }
        EXPECT_FALSE(g_bMergeOk);
    }
    holder.Close();
    EXPECT_EQ(ReadBytes(dir.Path("h.avi")), "");
    EXPECT_EQ(dir.Count(), 6u);
}

// A piece that is there but held by someone else is named as such, not as missing.
TEST(MergePieces, PieceThatCannotBeOpenedIsNamed)
{
    CTempDir dir;
    for (int number = 1; number <= 3; ++number)
        WriteBytes(dir.Path(PieceName(number)), MakeBytes(number < 3 ? 1000 : 10));
    CFile holder;
    ASSERT_TRUE(holder.Open(dir.Path(PieceName(3)), CFile::modeRead));
    const CJobOutcome outcome = MergePieces(dir.Path(PieceName(1)));
    EXPECT_EQ(outcome, CJobOutcome::Refused(JobKind::Merge, JobReason::PieceUnreadable, dir.Path(PieceName(3))));
    EXPECT_NE(outcome.nOsError, 0);
    EXPECT_EQ(dir.Count(), 3u);
}

#ifndef _WIN32
// The output stops growing in the middle of piece 2: the error leaves MergePieces
// naming the output, whose earlier file stays as it was; no partial file is left and
// the pieces are untouched.
TEST(MergePieces, WriteErrorEscapesAndLeavesTheOutputAsItWas)
{
    CTempDir dir;
    std::string all;
    for (int number = 1; number <= 3; ++number) {
        std::string bytes = MakeBytes(number < 3 ? 1000 : 500, static_cast<unsigned>(number));
        WriteBytes(dir.Path(PieceName(number)), bytes);
        all += bytes;
    }
    WriteBytes(dir.Path("m.avi"), "previous");
    g_bMergeOk = true;
    {
        CFileSizeLimit limit(1500);
        try {
            MergePieces(dir.Path("m_001.avi"), nullptr, true);
            ADD_FAILURE() << "no error past the file size limit";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetFileName(), dir.Path("m.avi"));
        }
    }
    EXPECT_FALSE(g_bMergeOk);
    EXPECT_EQ(ReadBytes(dir.Path("m.avi")), "previous");
    EXPECT_EQ(dir.Count(), 4u);
    for (int number = 1; number <= 3; ++number)
        EXPECT_EQ(ReadBytes(dir.Path(PieceName(number))), all.substr(static_cast<std::size_t>(number - 1) * 1000, number < 3 ? 1000 : 500));
}
#endif

} // namespace
