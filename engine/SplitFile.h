// Cutting one file into numbered pieces next to it.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <cstdint>
#include <string>

// Outcome of the last SplitFile: true once its pieces and record have their names.
extern bool g_bSplitOk;

// Cuts sourcePath into pieces of nPieceSize bytes with their checksum record
// beside them (unless bChecksums is false, which only the benchmark asks for), in
// targetDir when it is not empty, else beside the source. Done names piece 001.
// Whole or nothing: every piece and the record are written pending and take their
// names, replacing an earlier set, only when all are whole; a split
// that stops in any other way (cancelled through pProgress, which may be null, a
// refusal, an error of the file layer, which propagates as CFileException) leaves
// every file of the folder as it was, and so does the process killed before the
// names are given; killed while they are, it leaves the earlier pieces, or the new
// record beside a set that a merge refuses until the split runs again. The source's
// folder is only read when the pieces go elsewhere.
CJobOutcome SplitFile(std::string sourcePath, std::uint64_t nPieceSize, IJobProgress* pProgress = nullptr,
                      bool bChecksums = true, const std::string& targetDir = {});
