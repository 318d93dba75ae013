#include "tests/win/controls/LinkTestUtil.h"

#include "tests/engine/TestFiles.h"
#include "tests/win/framework/WinTestUtil.h"

std::string ModuleDir()
{
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath, nLength);
    return strPath.substr(0, strPath.find_last_of('\\'));
}

std::string RecorderPath()
{
    return ModuleDir() + "\\link_recorder.exe";
}

void SetRecordFile(const std::string& strRecord)
{
    ::SetEnvironmentVariableA("TOSVIK_LINK_RECORD", strRecord.c_str());
}

std::string WaitForRecord(const std::string& strRecord, DWORD dwTimeoutMs)
{
    auto written = [&] { return ::GetFileAttributesA(strRecord.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (!wintest::WaitFor(written, dwTimeoutMs))
        return std::string();
    return ReadBytes(strRecord);
}
