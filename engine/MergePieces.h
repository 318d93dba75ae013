// Joining numbered pieces back into the file they were cut from.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <string>

// Outcome of the last MergePieces: true once the merged file is in place.
extern bool g_bMergeOk;

// Writes MakeMergedName(selectedPath), or a file of its name in targetDir when that is
// not empty, from piece 001 (selectedPath) and the pieces numbered after it, up to
// 999, or exactly those its record lists; Done names that file. The set is checked
// before anything is written (FindSet), and the pieces are checked against their
// record as they are copied (ReadSet); the bytes go to a pending file in the output's
// folder that takes
// the output's name only when it is whole, so a merge that stops in any way, killed
// included, leaves an existing file of that name as it was and no file of its own.
// Without a checksum record nothing can prove the pieces right, so an existing file
// of the merged name is replaced only when bMayReplaceUnchecked says the user agreed;
// otherwise the outcome asks. Errors of the file layer while bytes are copied
// propagate as CFileException. pProgress may be null.
CJobOutcome MergePieces(std::string selectedPath, IJobProgress* pProgress = nullptr, bool bMayReplaceUnchecked = false,
                        const std::string& targetDir = {});
