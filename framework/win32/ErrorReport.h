// The generic error report: what the user sees when a file operation fails in a
// handler and nothing closer handled it.
#pragma once

#include "framework/portable/File.h"
#include "framework/portable/String.h"
#include "framework/win32/Win32.h"

// The report's text: the file and the system's cause.
CString AfxFileExceptionText(const CFileException& e);
// A stop-icon box owned by hOwner, captioned with the application's title.
void AfxReportFileException(HWND hOwner, const CFileException& e);
