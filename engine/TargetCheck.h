// What a job checks before it creates or truncates any file: no name it writes may
// lead to a device, to what it reads, or to another file it writes.
#pragma once

#include "engine/JobOutcome.h"

#include <optional>
#include <string>
#include <vector>

// True when the file name of path, up to its first dot, is a reserved device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9), in any case.
bool IsReservedDeviceName(const std::string& path);

// The refusal when a name in reads or writes is a device name, or when a name in
// writes is another name (a hard or symbolic link) of a file in reads or of another
// file in writes; none when the job may go on.
std::optional<CJobOutcome> CheckJobFiles(JobKind kind, const std::vector<std::string>& reads,
                                         const std::vector<std::string>& writes);
