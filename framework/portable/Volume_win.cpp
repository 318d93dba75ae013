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

// The root of the volume the folder is on: a folder mounted inside another volume
// has one of its own.
bool GetVolumeRoot(const std::string& strPath, std::vector<wchar_t>& root)
{
    std::wstring strFolder = FolderOf(strPath);
    if (strFolder.empty())
        strFolder = L".";
    root.assign(strFolder.size() + MAX_PATH, L'\0');
    return ::GetVolumePathNameW(strFolder.c_str(), root.data(), static_cast<DWORD>(root.size())) != FALSE;
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

bool GetAllocationUnitFor(const std::string& strPath, std::uint64_t& nBytes)
{
    std::vector<wchar_t> root;
    DWORD nSectorsPerCluster = 0, nBytesPerSector = 0, nFree = 0, nTotal = 0;
    if (!GetVolumeRoot(strPath, root) ||
        !::GetDiskFreeSpaceW(root.data(), &nSectorsPerCluster, &nBytesPerSector, &nFree, &nTotal) ||
        nSectorsPerCluster * nBytesPerSector == 0)
        return false;
    nBytes = std::uint64_t{nSectorsPerCluster} * nBytesPerSector;
    return true;
}

bool GetFileSystemFor(const std::string& strPath, std::string& strName)
{
    std::vector<wchar_t> root;
    if (!GetVolumeRoot(strPath, root))
        return false;
    wchar_t szName[MAX_PATH + 1];
    if (!::GetVolumeInformationW(root.data(), nullptr, 0, nullptr, nullptr, nullptr, szName, MAX_PATH + 1))
        return false;
    strName = Narrow(szName, ::wcslen(szName));
    return true;
}
