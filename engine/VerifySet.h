// Checking a set of pieces where it lies, before it is carried and after: the merge's
// own check, with nothing written.
#pragma once

#include "engine/JobOutcome.h"
#include "engine/JobProgress.h"

#include <string>

// Checks the set that chosenPath leads to: piece 001, or the record "<name>.sha256",
// whose pieces are the ones it lists, in its folder. Every check a merge makes of the
// set applies, with the same outcomes. With a record, every listed piece is read once,
// in order, and each piece and the whole file are compared with it: Done names the
// record and counts the pieces. Without one the set is checked by its names and
// lengths alone (CheckedWithoutRecord, naming the record looked for). Nothing is
// written, no file's contents or times change, and every file is opened so that
// others may read it too. Errors of the file layer while bytes are read propagate as
// CFileException. pProgress may be null.
CJobOutcome VerifySet(const std::string& chosenPath, IJobProgress* pProgress = nullptr);
