// The folder the user chose for what a job writes. Empty means none: a split writes
// beside its source, a merge beside its pieces. The chosen folder is never created.
#pragma once

#include "engine/JobOutcome.h"

#include <optional>
#include <string>

// Where a job writes the file that would be at path: path itself without a target
// folder, else the file name of path in targetDir.
std::string PlaceInTarget(const std::string& targetDir, const std::string& path);

// The refusal, naming targetDir, when it is not empty and not an absolute path, does
// not exist, is not a folder, or takes no new file (tried with a pending file that
// is thrown away, so nothing stays behind). None when the job may write there.
std::optional<CJobOutcome> CheckTargetFolder(JobKind kind, const std::string& targetDir);
