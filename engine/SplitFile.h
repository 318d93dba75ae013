// Cutting one file into numbered pieces next to it.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <string>

// Outcome of the last SplitFile: true once its last piece was written.
extern bool g_bSplitOk;

// Cuts sourcePath into pieces of pieceSizeK * 1000 bytes and, after the last one,
// writes their checksum record beside them (unless bChecksums is false, which only
// the benchmark asks for). Done names piece 001. Errors of the file layer while
// bytes are copied propagate as CFileException, leaving the pieces written so far.
// A cancel through pProgress (which may be null) removes the pieces this run wrote.
CJobOutcome SplitFile(std::string sourcePath, int pieceSizeK, IJobProgress* pProgress = nullptr,
                      bool bChecksums = true);
