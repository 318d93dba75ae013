// One job of the engine, timed inside the process that runs it. The same code runs
// natively and under Wine, so the two are timed alike and Wine's start-up is left out.
#pragma once

#include "bench/JobFigures.h"

#include <cstdint>
#include <string>

// Pieces of this many bytes, as `split -b 32000000` cuts them.
constexpr std::uint64_t kBenchPieceSize = 32000000;

struct CJobOptions {
    bool bProgress = false;   // the progress state the progress dialog reads
    bool bChecksums = true;   // false: a split without its checksum record
    std::uint64_t nPieceSize = kBenchPieceSize;   // a split's pieces, in bytes
    std::string strTargetDir;   // the folder written into; empty: beside the source
};

// Runs "split" (of strPath), "merge" (from piece strPath; it checks the pieces when
// their record is there) or "verify" (the set of strPath against its record, which
// must be there). Why a job failed goes to stderr.
CJobFigures RunBenchJob(const std::string& strJob, const std::string& strPath, const CJobOptions& options);
