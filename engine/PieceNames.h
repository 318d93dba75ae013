// Names of pieces and of the merged file. A piece name is its source's name with
// "_NNN" put in front of the anchor: the first '.' of the file-name part, or the end
// of the name when the file name has no dot. Pure string rules; no file is touched.
#pragma once

#include <cstddef>
#include <string>

// Piece numbers have three digits.
constexpr int kMaxPieces = 999;

// Byte position of the anchor of name.
std::size_t FindNameAnchor(const std::string& name);

// Byte position where the file-name part begins: after the last '\\' or '/'.
std::size_t FindFileNameStart(const std::string& name);

// True when the file-name part holds at least four bytes before the anchor and the
// fourth of them back is '_', so that the rules below stay inside the file name.
bool HasPieceNumber(const std::string& name);

// The name of piece 1 of a split of name.
std::string MakeFirstPieceName(std::string name);

// The name of piece n + 1, made from a name that carries a piece number; n >= 1.
std::string MakeNextPieceName(std::string pieceName, int n);

// The name a merge started on pieceName writes: the piece number removed.
std::string MakeMergedName(std::string pieceName);
