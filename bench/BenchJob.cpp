#include "bench/BenchJob.h"

#include "bench/ProcessFigures.h"
#include "engine/MergePieces.h"
#include "engine/ProgressSync.h"
#include "engine/SplitFile.h"
#include "engine/VerifySet.h"
#include "framework/portable/File.h"

#include <chrono>
#include <cstdio>

CJobFigures RunBenchJob(const std::string& strJob, const std::string& strPath, const CJobOptions& options)
{
    CJobFigures figures;
    if (strJob != "split" && strJob != "merge" && strJob != "verify") {
        std::fprintf(stderr, "unknown job %s\n", strJob.c_str());
        return figures;
    }
    // The progress dialog's own state, so the figures include what it costs.
    CProgressSync progress;
    IJobProgress* pProgress = options.bProgress ? &progress : nullptr;
    CJobOutcome outcome;
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    try {
        if (strJob == "split")
            outcome = SplitFile(strPath, options.nPieceSize, pProgress, options.bChecksums, options.strTargetDir);
        else if (strJob == "merge")
            outcome = MergePieces(strPath, pProgress, false, options.strTargetDir);
        else
            outcome = VerifySet(strPath, pProgress);
    } catch (const CFileException& e) {
        std::fprintf(stderr, "%s: %s failed (%ld)\n", e.GetFileName().c_str(), e.GetOperation().c_str(),
            e.GetOsError());
        return figures;
    }
    figures.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.cpuSeconds = ProcessCpuSeconds() - cpuStart;
    figures.peakKiB = PeakMemoryKiB();
    // A check that found no record read nothing: no figure of a check.
    if (!outcome.IsDone() || outcome.reason != JobReason::Finished) {
        std::fprintf(stderr, "%s of %s did not succeed: reason %d, %s, error %ld\n", strJob.c_str(), strPath.c_str(),
            static_cast<int>(outcome.reason), outcome.strFile.c_str(), outcome.nOsError);
        return figures;
    }
    // Reaching the total shows that every step was reported.
    if (options.bProgress && (progress.GetTotal() == 0 || progress.GetDone() != progress.GetTotal())) {
        std::fprintf(stderr, "%s of %s: progress did not reach the total\n", strJob.c_str(), strPath.c_str());
        return figures;
    }
    figures.bOk = true;
    return figures;
}
