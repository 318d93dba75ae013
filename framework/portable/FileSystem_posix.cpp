#include "framework/portable/FileSystem.h"

#include <cerrno>
#include <cstdio>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::string> ListFolder(const std::string& strDir)
{
    std::vector<std::string> names;
    DIR* pDir = ::opendir(strDir.empty() ? "." : strDir.c_str());
    if (pDir == nullptr)
        return names;
    while (const dirent* pEntry = ::readdir(pDir))
        names.emplace_back(pEntry->d_name);
    ::closedir(pDir);
    return names;
}

bool GetFileIdentity(const std::string& strPath, CFileIdentity& identity)
{
    struct stat st;
    if (::stat(strPath.c_str(), &st) != 0)
        return false;
    identity.nVolume = static_cast<std::uint64_t>(st.st_dev);
    identity.nFile = static_cast<std::uint64_t>(st.st_ino);
    return true;
}

bool PathExists(const std::string& strPath)
{
    struct stat st;
    return ::lstat(strPath.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& strPath)
{
    return ::unlink(strPath.c_str()) == 0;
}

bool RenameFile(const std::string& strFrom, const std::string& strTo, long& nError)
{
    if (std::rename(strFrom.c_str(), strTo.c_str()) == 0)
        return true;
    nError = errno;
    return false;
}

bool SameFileName(const std::string& strA, const std::string& strB)
{
    return strA == strB;
}

bool IsFolder(const std::string& strPath)
{
    struct stat st;
    return ::stat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& strPath)
{
    struct stat st;
    return ::stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
