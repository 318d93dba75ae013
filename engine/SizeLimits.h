// Sizes a job must fit before it writes anything: the piece count, the room on the
// volume it writes to, and the largest file that volume's file system holds.
#pragma once

#include "engine/JobOutcome.h"

#include <cstdint>
#include <optional>
#include <string>

// True when a file of nLength bytes cannot be written on a volume whose file system
// has this name (as GetFileSystemFor gives it): FAT keeps a length in 32 bits.
bool FileTooLongFor(const std::string& strFileSystem, std::uint64_t nLength);

// The pieces a split of nLength bytes makes in pieces of nPieceSize (not 0) bytes: an
// exact multiple still gets its empty last piece, so a merge finds the end.
std::uint64_t PieceCount(std::uint64_t nLength, std::uint64_t nPieceSize);

// The smallest piece size, in bytes, that cuts nLength bytes into no more pieces than
// the piece numbers count: PieceCount's inverse at kMaxPieces.
std::uint64_t SmallestPieceSize(std::uint64_t nLength);

// The split's refusal for a source of nLength bytes that needs too many pieces.
CJobOutcome TooManyPiecesFor(std::uint64_t nLength);

// Refused when the folder of the pieces has no room for them (nCount pieces from
// strFirstPiece on, of nPieceSize bytes but the last, nLength bytes in all) and the
// checksum record that names them and the source, each file in whole allocation
// units. None when there is room, or when the volume cannot be asked: the write
// itself then says what is wrong.
std::optional<CJobOutcome> CheckRoomForSplit(const std::string& strSource, const std::string& strFirstPiece,
                                             std::uint64_t nCount, std::uint64_t nLength, std::uint64_t nPieceSize);

// Refused when the merged file of nLength bytes is too long for its volume's file
// system, or when its folder has no room for it. None as above.
std::optional<CJobOutcome> CheckRoomForMerge(const std::string& strOutput, std::uint64_t nLength);

// Refused when pieces of nPieceSize bytes are too long for the file system of the
// volume that strFirstPiece goes to. None as above.
std::optional<CJobOutcome> CheckPiecesFitVolume(const std::string& strFirstPiece, std::uint64_t nPieceSize);
