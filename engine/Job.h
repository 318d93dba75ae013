// A job as the window hands it over: what to do, on which file, in which pieces.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <cstdint>
#include <string>

struct CJobRequest {
    JobKind kind = JobKind::Split;
    std::string strPath;    // the file to split, or the piece (or record) to start from
    std::uint64_t nPieceSize = 0;   // split only: bytes a piece
    // The folder for what the job writes; empty for beside the source or the pieces.
    std::string strTargetDir;
    // Merge only: the user said yes to replacing a file of the merged name although
    // no record checks the pieces.
    bool bMayReplaceUnchecked = false;
};

// SplitFile, MergePieces or VerifySet for the request. pProgress may be null.
CJobOutcome RunJob(const CJobRequest& request, IJobProgress* pProgress);
