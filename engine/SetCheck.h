// The one check of a set of pieces, shared by the merge ("check while copying") and
// the check of a set alone ("check only"): first the set is found and checked by its
// names, lengths and record without reading a byte of it; then every piece is read
// once, in order, and each piece's digest and the whole file's are compared with the
// record in that one pass, hashed beside the reading (CBlockCopy).
#pragma once

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/JobOutcome.h"
#include "engine/PieceSet.h"
#include "framework/portable/File.h"

#include <optional>
#include <string>
#include <vector>

struct CFoundSet {
    std::string strWholeName;             // the file the pieces make
    std::string strRecordName;            // the record gone by, or looked for
    std::vector<CChecksumLine> record;    // empty when there is none
    CPieceSet set;
    CFile firstPiece;                     // open from FindSet until ReadSet reads it

    bool HasRecord() const { return !record.empty(); }
};

// How a job opens the pieces and the record: a merge alone, a check beside other
// readers. Neither lets a writer in.
unsigned SetOpenFlags(JobKind kind);

// Finds the set that chosenPath leads to and checks it before any byte is read. A
// merge is chosen by piece 001; a check also by a record ("<name>.sha256"), whose
// pieces are the ones it lists, in its folder. The record of piece 001 is
// ChecksumRecordName of the file the pieces make. A merge's refusals of that file's
// name (a device, a link to a piece or the record) come here too, since it is
// written. The file the pieces make is in targetDir when that is not empty, else
// beside them; their record is always beside them. None when found holds the set,
// its record, if any, and piece 001 open.
std::optional<CJobOutcome> FindSet(JobKind kind, const std::string& chosenPath, CFoundSet& found,
                                   const std::string& targetDir = {});

// Reads every piece of found once, in order, through copy (allocated with hashes when
// found has a record), writing the bytes to pOut when it is given (a merge) and
// nowhere else (a check). With a record the first piece whose digest differs is named;
// the whole file's digest is compared only once every piece matched. None when the
// set read whole and, with a record, matched it.
std::optional<CJobOutcome> ReadSet(JobKind kind, CFoundSet& found, CBlockCopy& copy, CFile* pOut);
