// The generic error report: what the user sees when a file operation fails in a
// handler and nothing closer handled it.
#pragma once

#include "framework/portable/File.h"
#include "framework/win32/Win32.h"

// A stop-icon box owned by hOwner, captioned with the application's title, that
// names the file and the system's cause (both UTF-8, like every text of ours).
void AfxReportFileException(HWND hOwner, const CFileException& e);
