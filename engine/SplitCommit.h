// The last step of a split: its pending pieces and record take their names in one
// short pass, and the earlier set they replace goes.
#pragma once

#include "engine/JobOutcome.h"
#include "framework/portable/PendingFile.h"

#include <deque>
#include <optional>
#include <string>

// Gives pieces (piece 001 first, every one whole) their names, then removes the
// pieces of an earlier split of the same source numbered above the new count, then
// gives pRecord the name recordName; without a record (null), an earlier record
// goes instead. Every name is checked once more first. A piece that cannot take its
// name stops the pass and the pieces renamed before it are removed again, so no mix
// of two sets stands; a record that cannot take its name leaves none. None when the
// new set and its record stand in place of the earlier ones.
std::optional<CJobOutcome> CommitSplit(std::deque<CPendingFile>& pieces, CPendingFile* pRecord,
                                       const std::string& recordName);
