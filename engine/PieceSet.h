// The check a merge, or a check of the set, makes before it reads any piece's bytes: which pieces follow the
// selected one, and whether they make a whole file.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/PieceName.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CPieceSet {
    std::vector<std::string> names;   // from the selected piece on, in order
    std::uint64_t nTotalBytes = 0;
};

// Which numbers from 2 up to the highest one found are there, as pieces of piece's
// set in its folder (one listing); an index past the end is not there.
std::vector<bool> FindPieceNumbers(const CPieceName& piece);

// Finds the set of selectedPath, whose length is nFirstLength, with one listing of
// its folder. The refusal names the faulty piece: one missing before a later one or
// at the end, or one that cannot be opened. Without a checksum record (nListedCount
// 0) the lengths are all there is to go by, and a split makes every piece but the
// last exactly as long as the first and the last shorter (empty for an exact
// multiple): the first piece that differs is refused, and a last one as long as the
// first means the set was cut short. With a record, the set is its nListedCount
// pieces, all of them there; higher numbers are ignored. Pieces are opened with
// nOpenFlags; refusals are of kind. None when set holds the whole set.
std::optional<CJobOutcome> CheckPieceSet(JobKind kind, const std::string& selectedPath, std::uint64_t nFirstLength,
                                         int nListedCount, unsigned nOpenFlags, CPieceSet& set);
