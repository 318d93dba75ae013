#include "framework/portable/Volume.h"

#include "framework/portable/Utf16.h"

#include <windows.h>

#include <vector>

namespace {

// The folder with its separator ("C:\dir\", "C:"), so a root stays a root; empty
// for the current folder.
std::wstring FolderOf(const std::string& strPath)
{
    const std::size_t nEnd = strPath.find_last_of("\\/:");
    return nEnd == std::string::npos ? std::wstring() : Widen(strPath.substr(0, nEnd + 1));
}

} // namespace

bool GetFreeSpaceFor(const std::string& strPath, std::uint64_t& nBytes)
{
    const std::wstring strFolder = FolderOf(strPath);
    ULARGE_INTEGER nAvailable;
    if (!::GetDiskFreeSpaceExW(strFolder.empty() ? nullptr : strFolder.c_str(), &nAvailable, nullptr, nullptr))
        return false;
    nBytes = nAvailable.QuadPart;
    return true;
}

bool GetFileSystemFor(const std::string& strPath, std::string& strName)
{
    std::wstring strFolder = FolderOf(strPath);
    if (strFolder.empty())
        strFolder = L".";
    // A folder mounted inside another volume has a file system of its own.
    std::vector<wchar_t> root(strFolder.size() + MAX_PATH);
    if (!::GetVolumePathNameW(strFolder.c_str(), root.data(), static_cast<DWORD>(root.size())))
        return false;
    wchar_t szName[MAX_PATH + 1];
    if (!::GetVolumeInformationW(root.data(), nullptr, 0, nullptr, nullptr, nullptr, szName, MAX_PATH + 1))
        return false;
    strName = Narrow(szName, ::wcslen(szName));
    return true;
}
