// Checking a set where it lies: every way it can differ from its record is named as
// a merge names it, and the folder is left exactly as it was.
#include "engine/ChecksumRecord.h"
#include "engine/SplitFile.h"
#include "engine/VerifySet.h"
#include "framework/portable/File.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kFirstPiece = "r_001.bin";
const char* const kRecord = "r.bin.sha256";

// Every entry's name, length and time of last change, in the order of their names.
using CListing = std::vector<std::tuple<std::string, std::uintmax_t, fs::file_time_type>>;

CListing ListWithTimes(const CTempDir& dir)
{
    CListing listing;
    for (const auto& entry : fs::directory_iterator(fs::path(dir.Path(""))))
        listing.emplace_back(entry.path().filename().string(), entry.file_size(), entry.last_write_time());
    std::sort(listing.begin(), listing.end());
    return listing;
}

// A split of 2500 bytes into r_001 to r_003 with its record, or of 3000 bytes into
// r_001 to r_004, the last empty; the source gone, as on the stick.
void MakeSet(const CTempDir& dir, std::size_t nLength)
{
    WriteBytes(dir.Path("r.bin"), MakeBytes(nLength));
    ASSERT_TRUE(SplitFile(dir.Path("r.bin"), 1000).IsDone());
    fs::remove(dir.Path("r.bin"));
}

void FlipByte(const std::string& path, std::size_t at)
{
    std::string bytes = ReadBytes(path);
    bytes[at] ^= 1;
    WriteBytes(path, bytes);
}

// Two days back, so that a file written again, even with the same bytes, shows.
void SetTimesBack(const CTempDir& dir)
{
    for (const auto& entry : fs::directory_iterator(fs::path(dir.Path(""))))
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(48));
}

TEST(VerifySet, NamesWhatDiffersAndChangesNothing)
{
    struct CRow {
        const char* what;
        std::size_t length;
        std::function<void(const CTempDir&)> change;
        const char* chosen;
        JobEnd end;
        JobReason reason;
        const char* named;   // null: nothing named
        int nPieces;         // Done only
    };
    const JobEnd DONE = JobEnd::Done, REFUSED = JobEnd::Refused, FAILED = JobEnd::Failed;
    const JobReason DAMAGED = JobReason::PieceDamaged, MISSING = JobReason::PieceMissingListed;
    const auto none = [](const CTempDir&) {};
    const CRow rows[] = {
        {"whole set", 2500, none, kFirstPiece, DONE, JobReason::Finished, kRecord, 3},
        {"record chosen", 2500, none, kRecord, DONE, JobReason::Finished, kRecord, 3},
        {"record chosen, upper case", 2500, [](const CTempDir& d) { fs::rename(d.Path(kRecord), d.Path("R.BIN.SHA256")); },
         "R.BIN.SHA256", DONE, JobReason::Finished, "R.BIN.SHA256", 3},
        {"flipped byte, first piece", 2500, [](const CTempDir& d) { FlipByte(d.Path(kFirstPiece), 0); },
         kFirstPiece, FAILED, DAMAGED, kFirstPiece, 0},
        {"flipped byte, middle piece", 2500, [](const CTempDir& d) { FlipByte(d.Path("r_002.bin"), 500); },
         kRecord, FAILED, DAMAGED, "r_002.bin", 0},
        {"flipped byte, last piece", 2500, [](const CTempDir& d) { FlipByte(d.Path("r_003.bin"), 499); },
         kFirstPiece, FAILED, DAMAGED, "r_003.bin", 0},
        {"byte in the empty last piece", 3000, [](const CTempDir& d) { WriteBytes(d.Path("r_004.bin"), "x"); },
         kFirstPiece, FAILED, DAMAGED, "r_004.bin", 0},
        {"missing middle piece", 2500, [](const CTempDir& d) { fs::remove(d.Path("r_002.bin")); },
         kFirstPiece, REFUSED, MISSING, "r_002.bin", 0},
        {"record chosen, first piece missing", 2500, [](const CTempDir& d) { fs::remove(d.Path(kFirstPiece)); },
         kRecord, REFUSED, MISSING, kFirstPiece, 0},
        {"higher numbers the record does not list", 2500,
         [](const CTempDir& d) { WriteBytes(d.Path("r_004.bin"), "x"); WriteBytes(d.Path("r_999.bin"), "y"); },
         kFirstPiece, DONE, JobReason::Finished, kRecord, 3},
        {"no record", 2500, [](const CTempDir& d) { fs::remove(d.Path(kRecord)); },
         kFirstPiece, DONE, JobReason::CheckedWithoutRecord, kRecord, 3},
        {"no record, a piece cut short", 2500,
         [](const CTempDir& d) { fs::remove(d.Path(kRecord)); fs::resize_file(d.Path("r_002.bin"), 999); },
         kFirstPiece, REFUSED, JobReason::PieceShorter, "r_002.bin", 0},
        {"whole file's line alone wrong", 2500,
         [](const CTempDir& d) {
             std::string text = ReadBytes(d.Path(kRecord));
             char& c = text[text.rfind("\r\n", text.size() - 3) + 2];
             c = c == '0' ? '1' : '0';
             WriteBytes(d.Path(kRecord), text);
         },
         kRecord, FAILED, JobReason::WholeMismatch, nullptr, 0},
        {"record of another set", 2500,
         [](const CTempDir& d) {
             std::string text = ReadBytes(d.Path(kRecord));
             text.replace(text.find("r_002"), 5, "q_002");
             WriteBytes(d.Path(kRecord), text);
         },
         kRecord, REFUSED, JobReason::RecordBad, kRecord, 0},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.what);
        CTempDir dir;
        MakeSet(dir, row.length);
        row.change(dir);
        SetTimesBack(dir);
        const CListing before = ListWithTimes(dir);

        const CJobOutcome outcome = VerifySet(dir.Path(row.chosen));
        EXPECT_EQ(outcome, (CJobOutcome{JobKind::Verify, row.end, row.reason, row.named ? dir.Path(row.named) : "", {}, 0}));
        EXPECT_EQ(outcome.nPieces, row.nPieces);
        EXPECT_TRUE(ListWithTimes(dir) == before) << "the folder changed";
    }
}

// A piece held by a program that shares it with no one is named as unreadable; while
// the check reads, another reader gets in, but no one who would write. A cancel ends
// the check at its next step.
TEST(VerifySet, SharesThePiecesWithReadersOnly)
{
    CTempDir dir;
    MakeSet(dir, 2500);
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(dir.Path("r_002.bin"), CFile::modeRead));
        const CJobOutcome outcome = VerifySet(dir.Path("r_001.bin"));
        EXPECT_EQ(outcome, CJobOutcome::Refused(JobKind::Verify, JobReason::PieceUnreadable, dir.Path("r_002.bin")));
        EXPECT_NE(outcome.nOsError, 0);
    }
    struct COtherReader final : IJobProgress {
        std::string strPiece;
        std::vector<std::string> pieces;
        int nReaderRefused = 0;
        int nWriterLetIn = 0;
        std::size_t nCancelAt = 0;
        void OnFile(const std::string& strPath, std::uint64_t) override { pieces.push_back(strPiece = strPath); }
        bool OnStep(std::uint64_t) override
        {
            CFile reader;
            nReaderRefused += !reader.Open(strPiece, CFile::modeRead | CFile::shareDenyWrite);
            CFile exclusive;
            nWriterLetIn += exclusive.Open(strPiece, CFile::modeRead);
            return pieces.size() == nCancelAt;
        }
    } other;
    EXPECT_EQ(VerifySet(dir.Path("r.bin.sha256"), &other), CJobOutcome::Done(JobKind::Verify, dir.Path("r.bin.sha256")));
    EXPECT_EQ(other.pieces, (std::vector<std::string>{dir.Path("r_001.bin"), dir.Path("r_002.bin"), dir.Path("r_003.bin")}));
    EXPECT_EQ(other.nReaderRefused, 0);
    EXPECT_EQ(other.nWriterLetIn, 0);
    other.pieces.clear();
    other.nCancelAt = 2;
    EXPECT_EQ(VerifySet(dir.Path("r_001.bin"), &other), CJobOutcome::Cancelled(JobKind::Verify));
    EXPECT_EQ(other.pieces.size(), 2u);
}

} // namespace
