// A path read as a piece name, parsed once: the folder, the base (the file name up to
// its anchor: a stem, then for a numbered name '_' and three bytes of number), and
// the rest. The anchor is the first '.' of the file name, or its end when it has no
// dot. A piece name is its source's name with "_NNN" put in front of the anchor; the
// four bytes lie inside the file name, so the folder never changes. Pure string
// rules; no file is touched.
#pragma once

#include <cstddef>
#include <string>

// Piece numbers have three digits.
constexpr int kMaxPieces = 999;

// Why a name cannot start a merge.
enum class PieceNameFault {
    None,
    NoNumber,     // no '_' four bytes before the anchor, inside the file name
    LaterPiece,   // a number in digits other than 001: the start would be left out
};

class CPieceName {
public:
    explicit CPieceName(std::string path);

    const std::string& Path() const { return m_strPath; }
    // Up to and including the last '\\' or '/'; empty for a bare name.
    std::string Folder() const { return m_strPath.substr(0, m_nFileStart); }
    std::string FileName() const { return m_strPath.substr(m_nFileStart); }
    // The file name before the anchor, piece number included; the rest of the file
    // name is its dot and what follows, or nothing.
    std::string Base() const { return m_strPath.substr(m_nFileStart, m_nAnchor - m_nFileStart); }
    // The piece number, 0 to 999, when numbered with three digits; -1 otherwise
    // (no number, or three bytes that are not all digits).
    int Number() const;

    // '_' four bytes before the anchor, inside the file name.
    bool IsNumbered() const;
    // Numbered 001: a dropped file of this name is merged rather than split.
    bool IsFirstPiece() const;
    // What a merge accepts as its start: numbered, and when the number is written in
    // digits, 001. Three bytes that are not digits pass, as they always have.
    PieceNameFault CheckFirstPiece() const;

    // Piece 1 of a split of this file: "_001" put in front of the anchor.
    std::string FirstPieceName() const;
    // Piece n (1 to 999) of this name's set: the three bytes before the anchor
    // written as n. Meant for numbered names; others get those bytes overwritten all
    // the same, and a name with fewer than three bytes before its anchor stays.
    std::string PieceName(int n) const;
    // The file a merge from this piece writes: the four bytes before the anchor
    // removed (all of them when there are fewer).
    std::string MergedName() const;

private:
    std::string m_strPath;
    std::size_t m_nFileStart = 0;
    std::size_t m_nAnchor = 0;
};

// The name of piece 1 of a split of name.
std::string MakeFirstPieceName(std::string name);

// The piece after the one given: the name of piece n + 1, made from a name that
// carries a piece number; n >= 1.
std::string MakeNextPieceName(std::string pieceName, int n);

// The name a merge started on pieceName writes: the piece number removed.
std::string MakeMergedName(std::string pieceName);
