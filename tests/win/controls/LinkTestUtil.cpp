#include "tests/win/controls/LinkTestUtil.h"

#include "framework/portable/Utf16.h"
#include "tests/engine/TestFiles.h"
#include "tests/win/framework/WinTestUtil.h"

std::string ModuleDir()
{
    wchar_t szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::string strPath = Narrow(szPath, nLength);
    return strPath.substr(0, strPath.find_last_of('\\'));
}

std::string RecorderPath()
{
    return ModuleDir() + "\\link_recorder.exe";
}

void SetRecordFile(const std::string& strRecord)
{
    ::SetEnvironmentVariableW(L"TOSVIK_LINK_RECORD", Widen(strRecord).c_str());
}

std::string WaitForRecord(const std::string& strRecord, DWORD dwTimeoutMs)
{
    if (!wintest::WaitFor([&] { return FileExists(strRecord); }, dwTimeoutMs))
        return std::string();
    return ReadBytes(strRecord);
}
