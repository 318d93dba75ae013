// The pass that gives a split's files their names, walked step by step over the
// folders a user splits in. Refused at any step, it puts the folder back byte for
// byte; killed at any step, it leaves what a merge reads as the earlier file or the
// new one, or refuses, and the same split run again completes. It never removes a
// file that no earlier record lists.
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/Sha256.h"
#include "framework/portable/String.h"
#include "framework/portable/TestHooks.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#ifndef _WIN32
#include "tests/engine/KilledProcess.h"
#endif

namespace {

// Earlier: five pieces, the last short; new: four, so the earlier 005 lies above.
const int kPieceSizeK = 1;
const std::size_t kEarlierLength = 4500;
const std::size_t kNewLength = 3200;

std::string Digest(const std::string& bytes)
{
    CSha256 sha;
    sha.Update(bytes.data(), bytes.size());
    return sha.Finish();
}

enum class Before { SetWithRecord, SetWithoutRecord, Nothing, UsersOwnFiles };

// The folder before the split: s.bin holding the new bytes, and what was there.
struct CFolder {
    CTempDir dir;
    const std::string source = dir.Path("s.bin");
    const std::string earlier = MakeBytes(kEarlierLength, 1);
    const std::string edited = MakeBytes(kNewLength, 2);
    const bool bEarlierSplit;

    explicit CFolder(Before before) : bEarlierSplit(before == Before::SetWithRecord || before == Before::SetWithoutRecord)
    {
        if (bEarlierSplit) {
            WriteBytes(source, earlier);
            EXPECT_TRUE(SplitFile(source, kPieceSizeK).IsDone());
        }
        if (before == Before::SetWithoutRecord)
            RemoveFile(dir.Path("s.bin.sha256"));
        // Files of piece names that no split wrote, as long as pieces: below, at and
        // above the new count.
        if (before == Before::UsersOwnFiles) {
            for (int n = 1; n <= 8; ++n)
                WriteBytes(Piece(n), MakeBytes(1000, 10 + n));
        }
        WriteBytes(source, edited);
    }
    std::string Piece(int n) const { return dir.Path(AfxFormat("s_%03d.bin", n)); }

    // Every file by name with a digest of its bytes, the source aside.
    std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> files;
        for (const std::string& name : ListFolder(dir.Path(""))) {
            if (name != "." && name != ".." && name != "s.bin")
                files[name] = Digest(ReadBytes(dir.Path(name)));
        }
        return files;
    }
    std::size_t TemporaryFiles() const
    {
        std::size_t n = 0;
        for (const auto& file : Files())
            n += file.first.rfind("~tosvik", 0) == 0;
        return n;
    }
    // What a merge of the folder gives, even allowed to replace s.bin unchecked: the
    // earlier file, the new one, or a refusal, never anything else.
    void ExpectMergeGivesOneSourceOrNothing() const
    {
        const CJobOutcome merged = MergePieces(Piece(1), nullptr, true);
        if (merged.IsDone()) {
            const std::string bytes = ReadBytes(source);
            EXPECT_TRUE(bytes == edited || (bEarlierSplit && bytes == earlier)) << "a mix of two sets merged";
        }
        WriteBytes(source, edited);
    }
};

// Sets the pass's fault hook for one scope.
struct CPassHook {
    explicit CPassHook(std::function<bool(int)> hook) { TestHooks().failPassStep = std::move(hook); }
    ~CPassHook() { TestHooks().failPassStep = nullptr; }
};

const Before kFolders[] = {Before::SetWithRecord, Before::SetWithoutRecord, Before::Nothing, Before::UsersOwnFiles};

// The files of a completed split, and the number of steps its pass takes.
int CompletedPass(Before before, std::map<std::string, std::string>& files)
{
    CFolder folder(before);
    int nSteps = 0;
    CPassHook hook([&](int n) {
        nSteps = n;
        return false;
    });
    EXPECT_TRUE(SplitFile(folder.source, kPieceSizeK).IsDone());
    files = folder.Files();
    return nSteps;
}

TEST(SplitPass, RefusedAtAnyStepPutsTheFolderBack)
{
    for (Before before : kFolders) {
        std::map<std::string, std::string> completed;
        const int nSteps = CompletedPass(before, completed);
        ASSERT_GT(nSteps, 4) << static_cast<int>(before);
        // The user's own files above the new count stay; the earlier 005 only goes
        // when a record lists it.
        EXPECT_EQ(completed.count("s_005.bin"), before == Before::UsersOwnFiles || before == Before::SetWithoutRecord ? 1u : 0u);
        if (before == Before::UsersOwnFiles) {
            for (int n = 5; n <= 8; ++n)
                EXPECT_EQ(completed[AfxFormat("s_%03d.bin", n)], Digest(MakeBytes(1000, 10 + n))) << n;
        }
        int nRefused = 0;
        for (int nStep = 1; nStep <= nSteps; ++nStep) {
            SCOPED_TRACE(testing::Message() << "folder " << static_cast<int>(before) << ", step " << nStep);
            CFolder folder(before);
            const auto files = folder.Files();
            CPassHook hook([&](int n) { return n == nStep; });
            g_bSplitOk = true;
            const CJobOutcome outcome = SplitFile(folder.source, kPieceSizeK);
            // Removing what was moved aside cannot be refused: the split is done.
            if (outcome.IsDone()) {
                EXPECT_TRUE(g_bSplitOk);
                EXPECT_EQ(folder.Files(), completed);
                continue;
            }
            ++nRefused;
            EXPECT_EQ(outcome.end, JobEnd::Failed);
            EXPECT_FALSE(g_bSplitOk);
            EXPECT_EQ(folder.Files(), files);
        }
        EXPECT_GE(nRefused, 5);
    }
}

// Another program holds an earlier piece from the start of the pass.
TEST(SplitPass, HeldEarlierPiecePutsTheFolderBack)
{
    CFolder folder(Before::SetWithRecord);
    const auto files = folder.Files();
    CFile holder;
    CPassHook hook([&](int n) {
        if (n == 1) {
            EXPECT_TRUE(holder.Open(folder.Piece(3), CFile::modeRead));
        }
        return false;
    });
    EXPECT_EQ(SplitFile(folder.source, kPieceSizeK),
              CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, folder.Piece(3)));
    holder.Close();
    EXPECT_EQ(folder.Files(), files);
}

#ifndef _WIN32
TEST(SplitPass, KilledAtAnyStepLeavesNoMixAndRunsAgain)
{
    for (Before before : kFolders) {
        std::map<std::string, std::string> completed;
        const int nSteps = CompletedPass(before, completed);
        for (int nStep = 1; nStep <= nSteps; ++nStep) {
            SCOPED_TRACE(testing::Message() << "folder " << static_cast<int>(before) << ", step " << nStep);
            CFolder folder(before);
            EXPECT_TRUE(RunUntilKilled([&](const std::function<void()>& stopHere) {
                TestHooks().failPassStep = [&](int n) {
                    if (n == nStep)
                        stopHere();
                    return false;
                };
                SplitFile(folder.source, kPieceSizeK);
            }));
            if (before == Before::UsersOwnFiles) {
                for (int n = 5; n <= 8; ++n)
                    EXPECT_TRUE(ReadBytes(folder.Piece(n)) == MakeBytes(1000, 10 + n)) << n;
            }
            folder.ExpectMergeGivesOneSourceOrNothing();
            EXPECT_TRUE(SplitFile(folder.source, kPieceSizeK).IsDone());
            EXPECT_EQ(folder.Files(), completed) << "the split run again";
            EXPECT_EQ(folder.TemporaryFiles(), 0u);
        }
    }
}
#endif

} // namespace
