// A split either completes or leaves the folder as it was, and a merge leaves no file
// of its own behind however it ends: on real files, over an earlier set and its
// record, for every way a job can stop. What is left never merges into a wrong file.
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/Sha256.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>

#ifndef _WIN32
#include "tests/engine/KilledProcess.h"
#endif

namespace fs = std::filesystem;

namespace {

// Pieces of several copy blocks each. The earlier set: five pieces, the last short;
// the new source: four, so the earlier 005 lies above the new count.
const std::size_t kPieceSize = 1100000;
const std::size_t kEarlierLength = 4900000;
const std::size_t kNewLength = 3600000;

std::string Digest(const std::string& bytes)
{
    CSha256 sha;
    sha.Update(bytes.data(), bytes.size());
    return sha.Finish();
}

// Every file of the folder but strExcept, by name, with a digest of its bytes.
std::map<std::string, std::string> Snapshot(const CTempDir& dir, const std::string& strExcept = "")
{
    std::map<std::string, std::string> files;
    for (const std::string& name : ListFolder(dir.Path(""))) {
        if (name != "." && name != ".." && name != strExcept)
            files[name] = Digest(ReadBytes(dir.Path(name)));
    }
    return files;
}

// Tells the test when the job starts a file and after every block; onStep returning
// true stops the job.
class CScript final : public IJobProgress {
public:
    std::function<void(const std::string&)> onFile;
    std::function<bool(int nStep)> onStep;

    void OnFile(const std::string& strPath, std::uint64_t) override
    {
        if (onFile)
            onFile(strPath);
    }
    bool OnStep(std::uint64_t) override
    {
        ++m_nSteps;
        return onStep && onStep(m_nSteps);
    }
    int Steps() const { return m_nSteps; }

private:
    int m_nSteps = 0;
};

// s.bin split once (five pieces and the record), then edited: the folder a user
// splits again.
struct CEarlierSet {
    CTempDir dir;
    const std::string source = dir.Path("s.bin");
    const std::string earlier = MakeBytes(kEarlierLength, 1);
    const std::string edited = MakeBytes(kNewLength, 2);

    CEarlierSet()
    {
        WriteBytes(source, earlier);
        if (!SplitFile(source, kPieceSize).IsDone())
            throw std::runtime_error("the earlier split failed");
        WriteBytes(source, edited);
    }
    std::string Piece(int n) const { return dir.Path(AfxFormat("s_%03d.bin", n)); }
};

enum class Stop { CancelFirst, CancelMiddle, CancelLast, WriteError, HeldPiece, HeldLater, SourceShrinks, Killed };

// The split of the edited source stops at or in piece 003, or before it starts: the
// earlier set and its record stay exactly as they were, nothing of the new one is
// left, and what is left merges into the earlier file, the only whole one, never
// into a mix of the two.
TEST(WholeOrNothing, ResplitThatStopsLeavesTheEarlierSet)
{
    int nAllSteps = 0;
    {
        CEarlierSet scratch;
        CScript count;
        ASSERT_TRUE(SplitFile(scratch.source, kPieceSize, &count).IsDone());
        nAllSteps = count.Steps();
    }
    ASSERT_GT(nAllSteps, 10);
    const struct {
        Stop stop;
        const char* what;
    } rows[] = {
        {Stop::CancelFirst, "cancel at the first block"},
        {Stop::CancelMiddle, "cancel in piece 003"},
        {Stop::CancelLast, "cancel at the last block"},
        {Stop::HeldPiece, "piece 003 held by someone"},
        // Taken while the copy runs: the names are checked again before the first
        // one is given, so the pass never stops halfway through the earlier set.
        {Stop::HeldLater, "piece 003 held from when the split reaches it"},
#ifndef _WIN32
        // Natively only: a file size limit makes the write error, Windows opens the
        // source exclusively, and under Wine the real program is killed instead.
        {Stop::WriteError, "write error in piece 003"},
        {Stop::SourceShrinks, "source shrinks in piece 003"},
        {Stop::Killed, "killed in piece 003"},
#endif
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CEarlierSet set;
        const auto before = Snapshot(set.dir, "s.bin");
        ASSERT_EQ(before.size(), 6u) << "five pieces and the record";
        const std::string third = set.Piece(3);

        CScript script;
        int nThirdStarts = 0;
        script.onStep = [&](int nStep) {
            return (row.stop == Stop::CancelFirst && nStep == 1) || (row.stop == Stop::CancelLast && nStep == nAllSteps) ||
                (row.stop == Stop::CancelMiddle && nThirdStarts > 0 && nStep == nThirdStarts + 2);
        };
#ifndef _WIN32
        std::optional<CFileSizeLimit> limit;
#endif
        CFile holder;
        script.onFile = [&](const std::string& strPath) {
            if (strPath != third)
                return;
            nThirdStarts = script.Steps();
#ifndef _WIN32
            if (row.stop == Stop::WriteError)
                limit.emplace(1);
#endif
            if (row.stop == Stop::SourceShrinks)
                fs::resize_file(set.source, 2500000);
            if (row.stop == Stop::HeldLater) {
                EXPECT_TRUE(holder.Open(third, CFile::modeRead));
            }
        };
        if (row.stop == Stop::HeldPiece) {
            ASSERT_TRUE(holder.Open(third, CFile::modeRead));
        }

        std::optional<CJobOutcome> outcome;
        std::string strErrorFile;
        g_bSplitOk = true;
        if (row.stop == Stop::Killed) {
#ifndef _WIN32
            EXPECT_TRUE(RunUntilKilled([&](const std::function<void()>& stopHere) {
                script.onFile = [&](const std::string& strPath) {
                    if (strPath == third)
                        stopHere();
                };
                SplitFile(set.source, kPieceSize, &script);
            }));
            g_bSplitOk = false;
#endif
        } else {
            try {
                outcome = SplitFile(set.source, kPieceSize, &script);
            } catch (const CFileException& e) {
                strErrorFile = e.GetFileName();
            }
        }
#ifndef _WIN32
        limit.reset();
#endif
        holder.Close();
        switch (row.stop) {
        case Stop::CancelFirst:
        case Stop::CancelMiddle:
        case Stop::CancelLast:
            EXPECT_EQ(outcome, CJobOutcome::Cancelled(JobKind::Split));
            break;
        case Stop::WriteError:
            EXPECT_EQ(strErrorFile, third);
            break;
        case Stop::HeldPiece:
        case Stop::HeldLater:
            EXPECT_EQ(outcome, CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, third));
            break;
        case Stop::SourceShrinks:
            EXPECT_EQ(outcome, CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, set.source));
            break;
        case Stop::Killed:
            break;
        }
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(Snapshot(set.dir, "s.bin"), before);
        if (row.stop != Stop::SourceShrinks) {
            EXPECT_TRUE(ReadBytes(set.source) == set.edited) << "the source changed";
        }

        // Even allowed to replace the file unchecked.
        EXPECT_EQ(MergePieces(set.Piece(1), nullptr, true), CJobOutcome::Done(JobKind::Merge, set.source));
        EXPECT_EQ(Digest(ReadBytes(set.source)), Digest(set.earlier));
    }
}

// Completed, the new set takes the earlier one's place: its pieces and record, the
// earlier pieces above its count gone. Files that only look alike stay.
TEST(WholeOrNothing, CompletedResplitReplacesTheEarlierSet)
{
    for (bool bChecksums : {true, false}) {
        SCOPED_TRACE(bChecksums);
        CEarlierSet set;
        const char* const others[] = {"s_005.txt", "t_005.bin", "s_05.bin", "s_0005.bin", "s_abc.bin", "s.bin.sha256.txt"};
        for (const char* name : others)
            WriteBytes(set.dir.Path(name), name);
        ASSERT_EQ(SplitFile(set.source, kPieceSize, nullptr, bChecksums),
                  CJobOutcome::Done(JobKind::Split, set.Piece(1)));
        EXPECT_TRUE(g_bSplitOk);
        for (int n = 1; n <= 4; ++n) {
            const std::size_t nOffset = static_cast<std::size_t>(n - 1) * kPieceSize;
            EXPECT_EQ(Digest(ReadBytes(set.Piece(n))), Digest(set.edited.substr(nOffset, kPieceSize))) << n;
        }
        EXPECT_FALSE(FileExists(set.Piece(5)));
        EXPECT_EQ(FileExists(set.dir.Path("s.bin.sha256")), bChecksums) << "a record of the earlier set";
        for (const char* name : others)
            EXPECT_EQ(ReadBytes(set.dir.Path(name)), name);
        EXPECT_EQ(set.dir.Count(), 1 + 4 + (bChecksums ? 1 : 0) + std::size(others));

        fs::remove(set.source);
        EXPECT_EQ(MergePieces(set.Piece(1)), CJobOutcome::Done(JobKind::Merge, set.source));
        EXPECT_EQ(Digest(ReadBytes(set.source)), Digest(set.edited));
    }
}

// Names the split would write that lead elsewhere or hold what a piece must not
// replace: refused before anything is written.
TEST(WholeOrNothing, RefusedNamesWriteNothing)
{
    struct CRow {
        const char* what;
        std::function<void(const CEarlierSet&)> arrange;
        std::function<CJobOutcome(const CEarlierSet&)> refusal;
    };
    const CRow rows[] = {
        {"piece 002 a link to the record",
         [](const CEarlierSet& s) {
             fs::remove(s.Piece(2));
             fs::create_hard_link(s.dir.Path("s.bin.sha256"), s.Piece(2));
         },
         [](const CEarlierSet& s) {
             return CJobOutcome::Refused(JobKind::Split, JobReason::SameFile, s.dir.Path("s.bin.sha256"), s.Piece(2));
         }},
        {"the record a folder",
         [](const CEarlierSet& s) {
             fs::remove(s.dir.Path("s.bin.sha256"));
             fs::create_directory(s.dir.Path("s.bin.sha256"));
         },
         [](const CEarlierSet& s) {
             return CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, s.dir.Path("s.bin.sha256"));
         }},
#ifndef _WIN32
        {"piece 002 a link to a full device",
         [](const CEarlierSet& s) {
             fs::remove(s.Piece(2));
             fs::create_symlink("/dev/full", s.Piece(2));
         },
         [](const CEarlierSet& s) { return CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, s.Piece(2)); }},
#endif
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.what);
        CEarlierSet set;
        row.arrange(set);
        const std::size_t nFiles = set.dir.Count();
        const std::string record = fs::is_regular_file(set.dir.Path("s.bin.sha256")) ? ReadBytes(set.dir.Path("s.bin.sha256")) : "";
        EXPECT_EQ(SplitFile(set.source, kPieceSize), row.refusal(set));
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(set.dir.Count(), nFiles);
        if (!record.empty()) {
            EXPECT_EQ(ReadBytes(set.dir.Path("s.bin.sha256")), record);
        }
        EXPECT_EQ(Digest(ReadBytes(set.Piece(1))), Digest(set.earlier.substr(0, kPieceSize)));
    }
}

#ifndef _WIN32
// Killed while it writes, a merge leaves the folder as it was, with no temporary
// file; merges after it do not pile any up either.
TEST(WholeOrNothing, KilledMergeLeavesNoFileOfItsOwn)
{
    CEarlierSet set;
    WriteBytes(set.source, "earlier");
    const auto before = Snapshot(set.dir);
    for (int nKill = 0; nKill < 2; ++nKill) {
        EXPECT_TRUE(RunUntilKilled([&](const std::function<void()>& stopHere) {
            CScript script;
            script.onStep = [&](int nStep) {
                if (nStep == 3)
                    stopHere();
                return false;
            };
            MergePieces(set.Piece(1), &script);
        }));
        EXPECT_EQ(Snapshot(set.dir), before);
    }
    EXPECT_EQ(MergePieces(set.Piece(1)), CJobOutcome::Done(JobKind::Merge, set.source));
    EXPECT_EQ(Digest(ReadBytes(set.source)), Digest(set.earlier));
    EXPECT_EQ(set.dir.Count(), before.size());
}
#endif

} // namespace
