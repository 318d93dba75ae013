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
#include "tests/engine/KilledProcess.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <map>

namespace {

enum class Before { SetWithRecord, SetWithoutRecord, Nothing, UsersOwnFiles };
enum class Way { Completed, Refused, Held, Killed };

// The folder before the split: s.bin with the new bytes (four pieces of 1,000), and
// an earlier split of five, or the user's own s_001 ... s_008.
struct CFolder {
    CTempDir dir;
    const std::string source = dir.Path("s.bin");
    const std::string earlier = MakeBytes(4500, 1), edited = MakeBytes(3200, 2);
    const bool bEarlierSplit;

    explicit CFolder(Before before) : bEarlierSplit(before == Before::SetWithRecord || before == Before::SetWithoutRecord)
    {
        WriteBytes(source, earlier);
        if (bEarlierSplit) {
            EXPECT_TRUE(SplitFile(source, 1000).IsDone());
        }
        if (before == Before::SetWithoutRecord)
            RemoveFile(dir.Path("s.bin.sha256"));
        for (int n = 1; before == Before::UsersOwnFiles && n <= 8; ++n)
            WriteBytes(Piece(n), MakeBytes(1000, 10 + n));
        WriteBytes(source, edited);
    }
    std::string Piece(int n) const { return dir.Path(AfxFormat("s_%03d.bin", n)); }
    // Every file but the source by name, with a digest of its bytes.
    std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> files;
        for (const std::string& name : ListFolder(dir.Path(""))) {
            CSha256 sha;
            const std::string bytes = name == "." || name == ".." || name == "s.bin" ? "" : ReadBytes(dir.Path(name));
            sha.Update(bytes.data(), bytes.size());
            if (!bytes.empty() || FileExists(dir.Path(name)))
                files[name] = sha.Finish();
        }
        files.erase("s.bin");
        return files;
    }
};

// Runs the split of folder, its pass stopped at nStep in the given way; the number
// of steps the pass took.
int Split(const CFolder& folder, Way way, int nStep, CJobOutcome& outcome)
{
    int nSteps = 0;
    CFile holder;
    TestHooks().failPassStep = [&](int n) {
        nSteps = n;
        if (way == Way::Held && n == 1) {
            EXPECT_TRUE(holder.Open(folder.Piece(3), CFile::modeRead));
        }
        return way == Way::Refused && n == nStep;
    };
    outcome = SplitFile(folder.source, 1000);
    TestHooks().failPassStep = nullptr;
    return nSteps;
}

TEST(SplitPass, StoppedAtAnyStepLeavesOneSetOrTheOther)
{
    for (Before before : {Before::SetWithRecord, Before::SetWithoutRecord, Before::Nothing, Before::UsersOwnFiles}) {
        CJobOutcome outcome = CJobOutcome::Cancelled(JobKind::Split);
        std::map<std::string, std::string> completed;
        int nSteps = 0;
        {
            CFolder folder(before);
            nSteps = Split(folder, Way::Completed, 0, outcome);
            completed = folder.Files();
        }
        // The earlier 005 goes only when a record lists it; the user's files above stay.
        EXPECT_EQ(completed.count("s_005.bin"), before == Before::SetWithRecord || before == Before::Nothing ? 0u : 1u);
        EXPECT_EQ(completed.count("s_008.bin"), before == Before::UsersOwnFiles ? 1u : 0u);
        const Way ways[] = {Way::Refused, Way::Held,
#ifndef _WIN32
                            Way::Killed
#endif
        };
        for (Way way : ways) {
            // Held: another program holds the earlier s_003 from the first step on.
            const int nLast = way != Way::Held ? nSteps : before != Before::Nothing ? 1 : 0;
            for (int nStep = 1; nStep <= nLast; ++nStep) {
                SCOPED_TRACE(testing::Message() << "folder " << int(before) << ", way " << int(way) << ", step " << nStep);
                CFolder folder(before);
                const auto files = folder.Files();
                if (way != Way::Killed) {
                    Split(folder, way, nStep, outcome);
                    // Only the last steps, which remove what was moved aside, cannot fail.
                    EXPECT_EQ(folder.Files(), outcome.IsDone() ? completed : files);
                    EXPECT_TRUE(outcome.IsDone() || (outcome.end == JobEnd::Failed && !g_bSplitOk));
                    EXPECT_TRUE(way != Way::Held || !outcome.IsDone());
                    continue;
                }
#ifndef _WIN32
                EXPECT_TRUE(RunUntilKilled([&](const std::function<void()>& stopHere) {
                    TestHooks().failPassStep = [&](int n) {
                        if (n == nStep)
                            stopHere();
                        return false;
                    };
                    SplitFile(folder.source, 1000);
                }));
                for (int n = 5; before == Before::UsersOwnFiles && n <= 8; ++n)
                    EXPECT_EQ(folder.Files()[AfxFormat("s_%03d.bin", n)], files.at(AfxFormat("s_%03d.bin", n)));
                // Even allowed to replace s.bin unchecked.
                if (MergePieces(folder.Piece(1), nullptr, true).IsDone()) {
                    const std::string merged = ReadBytes(folder.source);
                    EXPECT_TRUE(merged == folder.edited || (folder.bEarlierSplit && merged == folder.earlier));
                }
                WriteBytes(folder.source, folder.edited);
                Split(folder, Way::Completed, 0, outcome);
                EXPECT_EQ(folder.Files(), completed) << "the split run again, its temporary files gone";
#endif
            }
        }
    }
}

} // namespace
