#include "framework/portable/Folder.h"

#include "framework/portable/Utf16.h"

#include <windows.h>

namespace {

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

bool IsAbsolutePath(const std::string& strPath)
{
    // "C:" alone and "C:name" follow the drive's current folder, "\name" the current
    // drive: neither names one place.
    if (strPath.size() >= 3 && strPath[1] == ':' && IsSlash(strPath[2]))
        return (strPath[0] >= 'A' && strPath[0] <= 'Z') || (strPath[0] >= 'a' && strPath[0] <= 'z');
    return strPath.size() >= 3 && IsSlash(strPath[0]) && IsSlash(strPath[1]) && !IsSlash(strPath[2]);
}

bool IsFolder(const std::string& strPath)
{
    const DWORD nAttributes = ::GetFileAttributesW(Widen(strPath).c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && IsSlash(strFolder.back()))
        return strFolder + strName;
    return strFolder + '\\' + strName;
}
