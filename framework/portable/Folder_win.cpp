#include "framework/portable/Folder.h"

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

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && IsSlash(strFolder.back()))
        return strFolder + strName;
    return strFolder + '\\' + strName;
}
