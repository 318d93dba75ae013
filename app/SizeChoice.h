// What the form's size choice stands for: the one place where a choice, or the text
// of the size field beside 其他, becomes a piece size in bytes. The choices count MB
// of 1,000,000 bytes, as "32MB" and "64MB" say.
#pragma once

#include "app/SizeField.h"

#include <cstdint>

struct CPieceSize {
    SizeFieldFault fault = SizeFieldFault::None;
    std::uint64_t nBytes = 0;   // when fault is None

    // In thousands of bytes, as the form holds it (m_nPieceSizeK).
    int Thousands() const { return static_cast<int>(nBytes / 1000); }
};

// nSizeChoice as m_nSizeChoice holds it: 1 "32MB", 2 "64MB", 3 the size field with
// strFieldText (refused as ReadSizeField refuses it); none chosen (0) is 32MB, the
// size the form holds from the start, since no choice is ever taken back.
CPieceSize PieceSizeFor(int nSizeChoice, const CString& strFieldText);

// A size in bytes in whole MB, rounded up.
std::uint64_t WholeMBAtLeast(std::uint64_t nBytes);
