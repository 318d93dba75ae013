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
