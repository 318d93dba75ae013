// Joining numbered pieces back into the file they were cut from.
#pragma once

#include "framework/MessageOwner.h"

#include <string>

// Outcome of the last MergePieces: true once the merged file was closed.
extern bool g_bMergeOk;

// Writes MakeMergedName(selectedPath) from piece 001 (selectedPath) and the pieces
// numbered after it, up to 999. The set is checked before anything is written;
// failures are reported in boxes owned by owner; errors of the file layer while
// bytes are copied propagate as CFileException.
void MergePieces(IMessageOwner* owner, std::string selectedPath);
