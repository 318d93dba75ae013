// Progress and cancel of split and merge jobs on real files.
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

// Records every report; asks to stop at step nCancelAt (counted from 1), if any.
class CProgressRecorder final : public IJobProgress {
public:
    explicit CProgressRecorder(int nCancelAt = 0) : m_nCancelAt(nCancelAt) {}
    void OnFile(const std::string& strPath, std::uint64_t nJobBytes) override
    {
        files.push_back(strPath);
        jobBytes.insert(nJobBytes);
    }
    bool OnStep(std::uint64_t nDone) override
    {
        steps.push_back(nDone);
        return static_cast<int>(steps.size()) == m_nCancelAt;
    }
    std::vector<std::string> files;
    std::set<std::uint64_t> jobBytes;
    std::vector<std::uint64_t> steps;

private:
    int m_nCancelAt;
};

// The names in the folder of a file.
std::set<std::string> Listing(const std::string& file)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(file).parent_path()))
        names.insert(entry.path().filename().string());
    return names;
}

// Pieces of 3 MB from a source of 7.5 MB: several blocks a piece, an unequal last.
const std::uint64_t kPieceSize = 3000000;
const std::size_t kSourceLength = 7500000;

TEST(JobProgress, ReachesTheTotalAndNeverGoesBack)
{
    CTempDir dir;
    const std::string source = dir.Path("p.bin");
    WriteBytes(source, MakeBytes(kSourceLength));
    CProgressRecorder split;
    ASSERT_TRUE(SplitFile(source, kPieceSize, &split).IsDone());
    EXPECT_EQ(split.files, (std::vector<std::string>{dir.Path("p_001.bin"), dir.Path("p_002.bin"), dir.Path("p_003.bin")}));
    EXPECT_EQ(split.jobBytes, std::set<std::uint64_t>{kSourceLength});

    std::filesystem::remove(source);
    CProgressRecorder merge;
    ASSERT_TRUE(MergePieces(dir.Path("p_001.bin"), &merge).IsDone());
    EXPECT_EQ(merge.files, std::vector<std::string>{source});
    EXPECT_EQ(merge.jobBytes, std::set<std::uint64_t>{kSourceLength});

    for (const auto* progress : {&split, &merge}) {
        ASSERT_GE(progress->steps.size(), 8u) << "a step for every block";
        EXPECT_TRUE(std::is_sorted(progress->steps.begin(), progress->steps.end()));
        EXPECT_EQ(progress->steps.back(), kSourceLength);
    }
}

// A cancel at the first, a middle and the last step: the pieces of this run go, the
// source and every other file stay.
TEST(JobProgress, CancelledSplitLeavesWhatWasThere)
{
    CProgressRecorder count;
    {
        CTempDir dir;
        WriteBytes(dir.Path("c.bin"), MakeBytes(kSourceLength));
        ASSERT_TRUE(SplitFile(dir.Path("c.bin"), kPieceSize, &count).IsDone());
    }
    const int nSteps = static_cast<int>(count.steps.size());
    for (int nCancelAt : {1, nSteps / 2, nSteps}) {
        SCOPED_TRACE(nCancelAt);
        CTempDir dir;
        const std::string source = dir.Path("c.bin");
        const std::string bytes = MakeBytes(kSourceLength);
        WriteBytes(source, bytes);
        WriteBytes(dir.Path("other_002.bin"), "keep");
        const auto before = Listing(source);
        CProgressRecorder progress(nCancelAt);
        EXPECT_EQ(SplitFile(source, kPieceSize, &progress), CJobOutcome::Cancelled(JobKind::Split));
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(Listing(source), before);
        EXPECT_EQ(ReadBytes(source), bytes);
        EXPECT_EQ(ReadBytes(dir.Path("other_002.bin")), "keep");
    }
}

// A cancelled merge leaves no output, or the earlier file of that name as it was,
// and no partial file; the pieces are untouched.
TEST(JobProgress, CancelledMergeLeavesNoOutput)
{
    for (bool bOutputExists : {false, true}) {
        for (int nCancelAt : {1, 4, 8}) {
            SCOPED_TRACE(nCancelAt);
            CTempDir dir;
            const std::string source = dir.Path("m.bin");
            const std::string bytes = MakeBytes(kSourceLength);
            WriteBytes(source, bytes);
            ASSERT_TRUE(SplitFile(source, kPieceSize).IsDone());
            if (bOutputExists)
                WriteBytes(source, "earlier");
            else
                std::filesystem::remove(source);
            const auto before = Listing(dir.Path("m_001.bin"));
            CProgressRecorder progress(nCancelAt);
            EXPECT_EQ(MergePieces(dir.Path("m_001.bin"), &progress), CJobOutcome::Cancelled(JobKind::Merge));
            EXPECT_FALSE(g_bMergeOk);
            EXPECT_FALSE(g_bMergeOk);
            EXPECT_EQ(Listing(dir.Path("m_001.bin")), before);
            EXPECT_EQ(FileExists(source), bOutputExists);
            if (bOutputExists) {
                EXPECT_EQ(ReadBytes(source), "earlier");
            }
            EXPECT_EQ(ReadBytes(dir.Path("m_001.bin")) + ReadBytes(dir.Path("m_002.bin")) + ReadBytes(dir.Path("m_003.bin")), bytes);
        }
    }
}

} // namespace
