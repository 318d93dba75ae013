#include "tests/win/controls/LinkTestUtil.h"

#include <fstream>
#include <sstream>

CScratchDir::CScratchDir()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strPath = std::string(szTemp) + "tosvik-links-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(m_strPath.c_str(), nullptr);
}

CScratchDir::~CScratchDir()
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((m_strPath + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ::DeleteFileA(File(fd.cFileName).c_str());
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(m_strPath.c_str());
}

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
    DWORD dwStart = ::GetTickCount();
    while (::GetFileAttributesA(strRecord.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return std::string();
        ::Sleep(50);
    }
    std::ifstream file(strRecord, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
