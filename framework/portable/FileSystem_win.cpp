#include "framework/FileSystem.h"

#include <windows.h>

std::vector<std::string> ListFolder(const std::string& strDir)
{
    std::vector<std::string> names;
    std::string strPattern = strDir;
    if (!strPattern.empty() && strPattern.back() != '\\' && strPattern.back() != '/')
        strPattern += '\\';
    strPattern += '*';
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strPattern.c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.emplace_back(data.cFileName);
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return names;
}

bool GetFileIdentity(const std::string& strPath, CFileIdentity& identity)
{
    // No access asked for, so a file that someone holds exclusively still answers.
    HANDLE h = ::CreateFileA(strPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool bOk = ::GetFileInformationByHandle(h, &info) != FALSE;
    ::CloseHandle(h);
    if (!bOk)
        return false;
    identity.nVolume = info.dwVolumeSerialNumber;
    identity.nFile = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool PathExists(const std::string& strPath)
{
    return ::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& strPath)
{
    return ::DeleteFileA(strPath.c_str()) != FALSE;
}

bool RenameFile(const std::string& strFrom, const std::string& strTo)
{
    return ::MoveFileExA(strFrom.c_str(), strTo.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool SameFileName(const std::string& strA, const std::string& strB)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, strA.data(), static_cast<int>(strA.size()),
                            strB.data(), static_cast<int>(strB.size())) == CSTR_EQUAL;
}
