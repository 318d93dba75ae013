// The checksum record a split writes beside its pieces, "<source>.sha256", in the
// format sha256sum reads: "<64 hex digits>  <file name>" a line, CRLF, names in UTF-8;
// the pieces in order, then the whole file.
#pragma once

#include <string>
#include <vector>

struct CChecksumLine {
    std::string strHash;   // 64 lowercase hex digits
    std::string strName;   // file name only
};

std::string ChecksumRecordName(const std::string& wholePath);

// Written through a temporary name, so no half record ever stands. False when it
// could not be created or renamed, with the system's cause in nError; file errors
// while writing propagate.
bool WriteChecksumRecord(const std::string& recordPath, const std::vector<CChecksumLine>& lines, long& nError);

enum class RecordState { Missing, Read, Bad };

// Reads and parses a record. Bad for a record that cannot be read, a line that is
// not "<64 hex digits>  <name>" (a '*' for binary mode allowed).
RecordState ReadChecksumRecord(const std::string& recordPath, std::vector<CChecksumLine>& lines);
