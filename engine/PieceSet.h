// The check a merge makes before it writes anything: which pieces follow the
// selected one, and whether they can make a whole file.
#pragma once

#include "framework/MessageOwner.h"

#include <cstdint>
#include <string>

// Number of pieces from selectedPath on (at least 1), or 0 after a box that names
// the faulty piece: a gap in the numbering, or a piece other than the last that is
// shorter than the selected one, of length nFirstLength.
int CheckPieceSet(IMessageOwner* owner, const std::string& selectedPath, std::uint64_t nFirstLength);
