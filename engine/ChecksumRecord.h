// The checksum record a split writes beside its pieces, "<source>.sha256", in the
// format sha256sum reads: "<64 hex digits>  <file name>" a line, CRLF, names in UTF-8;
// the pieces in order, then the whole file.
#pragma once

#include "framework/portable/File.h"

#include <string>
#include <vector>

struct CChecksumLine {
    std::string strHash;   // 64 lowercase hex digits
    std::string strName;   // file name only
};

std::string ChecksumRecordName(const std::string& wholePath);
// A name ending in ".sha256", in any case: a file chosen by such a name is taken for
// a record.
bool IsChecksumRecordName(const std::string& path);

// The record's text, one line for each of lines.
std::string FormatChecksumRecord(const std::vector<CChecksumLine>& lines);

enum class RecordState { Missing, Read, Bad };

// Reads and parses a record. Bad for a record that is no plain file (a pipe is never
// opened) or cannot be read, or a line that is not "<64 hex digits>  <name>" (a '*'
// for binary mode allowed). nOpenFlags: how the record is opened to be read.
RecordState ReadChecksumRecord(const std::string& recordPath, std::vector<CChecksumLine>& lines,
                               unsigned nOpenFlags = CFile::modeRead);
