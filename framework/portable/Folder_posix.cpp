#include "framework/portable/Folder.h"

#include <sys/stat.h>

bool IsAbsolutePath(const std::string& strPath)
{
    return !strPath.empty() && strPath[0] == '/';
}

bool IsFolder(const std::string& strPath)
{
    struct stat st;
    return ::stat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '/')
        return strFolder + strName;
    return strFolder + '/' + strName;
}
