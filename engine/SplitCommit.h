// The last step of a split: its pending pieces and record take their names in one
// short pass, and the earlier set they replace goes, whole or not at all.
#pragma once

#include "engine/JobOutcome.h"
#include "framework/portable/PendingFile.h"

#include <deque>
#include <optional>
#include <string>

// Moves aside the earlier pieces above the new count that the earlier record lists,
// gives pRecord the name recordName, then pieces (piece 001 first, every one whole)
// their names; an earlier file of each name is moved aside first, and all that was
// moved aside is removed at the end.
// Without a record (null) an earlier record goes too. Every name is checked once
// more first. Killed at any point, the folder holds the earlier set untouched or the
// new record beside what it refuses; a step that fails puts every file back as it
// was. None when the new set and its record stand in place of the earlier ones.
std::optional<CJobOutcome> CommitSplit(std::deque<CPendingFile>& pieces, CPendingFile* pRecord,
                                       const std::string& recordName);
