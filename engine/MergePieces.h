// Joining numbered pieces back into the file they were cut from.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <string>

// Outcome of the last MergePieces: true once the merged file is in place.
extern bool g_bMergeOk;

// Writes MakeMergedName(selectedPath) from piece 001 (selectedPath) and the pieces
// numbered after it, up to 999; Done names that file. The set is checked before
// anything is written; the bytes go to a temporary file in the same folder that
// takes the output's name only when it is whole, so a failed or cancelled merge
// leaves an existing file of that name as it was. Errors of the file layer while
// bytes are copied propagate as CFileException. pProgress may be null.
CJobOutcome MergePieces(std::string selectedPath, IJobProgress* pProgress = nullptr);
