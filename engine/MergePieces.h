// Joining numbered pieces back into the file they were cut from.
#pragma once

#include "engine/JobProgress.h"
#include "framework/portable/MessageOwner.h"

#include <string>

// Outcome of the last MergePieces: true once the merged file is in place.
extern bool g_bMergeOk;

// Writes MakeMergedName(selectedPath) from piece 001 (selectedPath) and the pieces
// numbered after it, up to 999. The set is checked before anything is written; the
// bytes go to a temporary file in the same folder that takes the output's name only
// when it is whole, so a failed or cancelled merge leaves an existing file of that
// name as it was. Failures are reported in boxes owned by owner; errors of the file
// layer while bytes are copied propagate as CFileException. pProgress may be null.
JobResult MergePieces(IMessageOwner* owner, std::string selectedPath, IJobProgress* pProgress = nullptr);
