#include "framework/portable/Folder.h"

bool IsAbsolutePath(const std::string& strPath)
{
    return !strPath.empty() && strPath[0] == '/';
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '/')
        return strFolder + strName;
    return strFolder + '/' + strName;
}
