// The check a merge makes before it writes anything: which pieces follow the
// selected one, and whether they make a whole file.
#pragma once

#include "engine/JobOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CPieceSet {
    std::vector<std::string> names;   // from the selected piece on, in order
    std::uint64_t nTotalBytes = 0;
};

// Finds the set of selectedPath, whose length is nFirstLength, with one listing of
// its folder. The refusal names the faulty piece: one missing before a later one or
// at the end, or one that cannot be opened. Without a checksum record (nListedCount
// 0) the lengths tell the end: a piece other than the last that is shorter than the
// first, or a last one as long as the first, is refused. With one, the set is its
// nListedCount pieces, no more and no fewer. None when set holds the whole set.
std::optional<CJobOutcome> CheckPieceSet(const std::string& selectedPath, std::uint64_t nFirstLength,
                                         int nListedCount, CPieceSet& set);
