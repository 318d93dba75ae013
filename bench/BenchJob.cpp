#include "bench/BenchJob.h"

#include "bench/ProcessFigures.h"
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace {

class CSilentOwner : public IMessageOwner {
public:
    int MessageBox(const char* pszText, const char*, unsigned) override
    {
        std::fprintf(stderr, "box: %s\n", pszText);
        ++m_nBoxes;
        return 1;
    }
    int m_nBoxes = 0;
};

// What the progress dialog does on the worker's side: the file under a lock, the
// count and the cancel flag through atomics that the dialog's timer reads and sets.
class CUiLikeProgress : public IJobProgress {
public:
    void OnFile(const std::string& strPath, std::uint64_t nJobBytes) override
    {
        std::lock_guard<std::mutex> lock(m_fileMutex);
        m_strFile = strPath;
        m_nTotal = nJobBytes;
    }
    bool OnStep(std::uint64_t nDone) override
    {
        m_nDone = nDone;
        return m_bCancel;
    }
    // Reaching the total shows that every step was reported.
    bool ReachedTotal() const { return m_nTotal > 0 && m_nDone == m_nTotal; }

private:
    std::mutex m_fileMutex;
    std::string m_strFile;
    std::atomic<std::uint64_t> m_nTotal{0};
    std::atomic<std::uint64_t> m_nDone{0};
    std::atomic<bool> m_bCancel{false};
};

} // namespace

CJobFigures RunBenchJob(const std::string& strJob, const std::string& strPath, const CJobOptions& options)
{
    CJobFigures figures;
    if (strJob != "split" && strJob != "merge") {
        std::fprintf(stderr, "unknown job %s\n", strJob.c_str());
        return figures;
    }
    CSilentOwner owner;
    CUiLikeProgress progress;
    IJobProgress* pProgress = options.bProgress ? &progress : nullptr;
    JobResult result = JobResult::Failed;
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    try {
        result = strJob == "split" ? SplitFile(&owner, strPath, kBenchPieceSizeK, pProgress, options.bChecksums)
                                   : MergePieces(&owner, strPath, pProgress);
    } catch (const CFileException& e) {
        std::fprintf(stderr, "%s: %s failed (%ld)\n", e.GetFileName().c_str(), e.GetOperation().c_str(),
            e.GetOsError());
        return figures;
    }
    figures.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.cpuSeconds = ProcessCpuSeconds() - cpuStart;
    figures.peakKiB = PeakMemoryKiB();
    if (result != JobResult::Done || owner.m_nBoxes != 0) {
        std::fprintf(stderr, "%s of %s did not succeed\n", strJob.c_str(), strPath.c_str());
        return figures;
    }
    if (options.bProgress && !progress.ReachedTotal()) {
        std::fprintf(stderr, "%s of %s: progress did not reach the total\n", strJob.c_str(), strPath.c_str());
        return figures;
    }
    figures.bOk = true;
    return figures;
}
