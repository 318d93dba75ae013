// What a job checks before it creates or replaces any file: no name it writes may
// lead to a device, to what it reads, or to another file it writes, and none may be
// taken by something that a finished file could not replace.
#pragma once

#include "engine/JobOutcome.h"
#include "framework/portable/File.h"

#include <optional>
#include <string>
#include <vector>

// True when the file name of path, up to its first dot and without spaces after it,
// is a reserved device name in any case: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM
// and LPT with a digit 0 to 9 or a superscript ¹ ² ³.
bool IsReservedDeviceName(const std::string& path);

// The refusal when a name in reads or writes is a device name, or when a name in
// writes is another name (a hard or symbolic link) of a file in reads or of another
// file in writes; none when the job may go on.
std::optional<CJobOutcome> CheckJobFiles(JobKind kind, const std::vector<std::string>& reads,
                                         const std::vector<std::string>& writes);

// The failure when strName is taken by what a finished file could not, or should not,
// replace: a folder, a device, a pipe, a file someone holds open. A plain file stays
// open in holder, so that no one takes it until the job lets it go; a pipe is never
// opened, which would block. None when the name is free or a plain file.
std::optional<CJobOutcome> CheckReplaceable(JobKind kind, const std::string& strName, CFile& holder);
// The failure of CheckReplaceable for the first of names it refuses, none holding.
std::optional<CJobOutcome> CheckAllReplaceable(JobKind kind, const std::vector<std::string>& names);
