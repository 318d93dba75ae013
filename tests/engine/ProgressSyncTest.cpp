// The progress state a job shares with the window that watches it, across threads.
#include "engine/ProgressSync.h"
#include "engine/SplitFile.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A split on a thread of its own, long enough to be caught midway, stopped from here.
TEST(ProgressSync, CancelIsSeenByTheJob)
{
    CTempDir dir;
    const std::string source = dir.Path("long.bin");
    WriteSparse(source, 3000000000u, "head", "tail");
    CProgressSync sync;
    CJobOutcome outcome;
    std::atomic<bool> bEnded{false};
    std::thread job([&] {
        outcome = SplitFile(source, 1000000000, &sync);
        bEnded = true;
    });
    while (sync.GetDone() == 0 && !bEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(sync.GetFile(), dir.Path("long_001.bin"));
    EXPECT_EQ(sync.GetTotal(), 3000000000u);
    sync.Cancel();
    job.join();
    EXPECT_EQ(outcome, CJobOutcome::Cancelled(JobKind::Split));
    EXPECT_LT(sync.GetDone(), sync.GetTotal());
    EXPECT_EQ(dir.Count(), 1u);
}

// Read from another thread while the job writes: the bytes done never go back and
// never pass the total, and the file is always one whole name that was written. The
// job goes on until the reader has read many times, so the two overlap however the
// threads are scheduled.
TEST(ProgressSync, FiguresReadWhileWritten)
{
    const std::uint64_t kTotal = std::uint64_t{1} << 40;
    const int kReads = 20000;
    CProgressSync sync;
    std::atomic<int> nReads{0};
    std::atomic<bool> bEnded{false};
    std::uint64_t nWritten = 0;
    std::thread job([&] {
        // From the first step on the reader has to go on, so it reads while this writes.
        const int nReadsBefore = nReads;
        do {
            if (++nWritten % 100 == 1) {
                // Names of different lengths, so a torn read shows.
                const char c = static_cast<char>('a' + nWritten / 100 % 7);
                sync.OnFile(std::string(static_cast<std::size_t>(20 + (c - 'a') * 50), c), kTotal);
            }
            sync.OnStep(nWritten);
        } while (nReads - nReadsBefore < kReads);
        bEnded = true;
    });
    std::uint64_t nLast = 0;
    bool bAllWhole = true;
    for (bool bLastRound = false; !bLastRound; ++nReads) {
        bLastRound = bEnded;
        const std::uint64_t nDone = sync.GetDone();
        const std::uint64_t nTotal = sync.GetTotal();
        const std::string file = sync.GetFile();
        ASSERT_GE(nDone, nLast);
        ASSERT_LE(nDone, nTotal);
        nLast = nDone;
        if (!file.empty())
            bAllWhole = bAllWhole && file.size() == static_cast<std::size_t>(20 + (file[0] - 'a') * 50) &&
                file.find_first_not_of(file[0]) == std::string::npos;
    }
    job.join();
    EXPECT_TRUE(bAllWhole);
    EXPECT_EQ(nLast, nWritten);
}

} // namespace
