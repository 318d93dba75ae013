// What the link tests share: the recorder program that stands in for a link handler,
// and waiting for what it wrote.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program, where the recorder is built too.
std::string ModuleDir();

// The recorder's full path.
std::string RecorderPath();

// Points the recorder of the next program started from here at strRecord.
void SetRecordFile(const std::string& strRecord);

// The command line the recorder wrote to strRecord; empty if nothing came within the
// timeout.
std::string WaitForRecord(const std::string& strRecord, DWORD dwTimeoutMs = 10000);
