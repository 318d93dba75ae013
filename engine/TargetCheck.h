// What a job checks before it creates or truncates any file: no name it writes may
// lead to a device, to what it reads, or to another file it writes.
#pragma once

#include "framework/portable/MessageOwner.h"

#include <string>
#include <vector>

// True when the file name of path, up to its first dot, is a reserved device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9), in any case.
bool IsReservedDeviceName(const std::string& path);

// False after a box captioned pszCaption when a name in reads or writes is a device
// name, or when a name in writes is another name (a hard or symbolic link) of a file
// in reads or of another file in writes.
bool CheckJobFiles(IMessageOwner* owner, const char* pszCaption, const std::vector<std::string>& reads,
                   const std::vector<std::string>& writes);
