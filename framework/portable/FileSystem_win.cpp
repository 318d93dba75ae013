#include "framework/portable/FileSystem.h"

#include "framework/portable/Utf16.h"

#include <windows.h>

std::vector<std::string> ListFolder(const std::string& strDir)
{
    std::vector<std::string> names;
    std::wstring strPattern = Widen(strDir);
    if (!strPattern.empty() && strPattern.back() != L'\\' && strPattern.back() != L'/')
        strPattern += L'\\';
    strPattern += L'*';
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW(strPattern.c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(Narrow(data.cFileName, ::wcslen(data.cFileName)));
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    return names;
}

bool GetFileIdentity(const std::string& strPath, CFileIdentity& identity)
{
    // No access asked for, so a file that someone holds exclusively still answers.
    HANDLE h = ::CreateFileW(Widen(strPath).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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
    return ::GetFileAttributesW(Widen(strPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& strPath)
{
    return ::DeleteFileW(Widen(strPath).c_str()) != FALSE;
}

bool RenameFile(const std::string& strFrom, const std::string& strTo, long& nError)
{
    if (::MoveFileExW(Widen(strFrom).c_str(), Widen(strTo).c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    nError = static_cast<long>(::GetLastError());
    return false;
}

bool SameFileName(const std::string& strA, const std::string& strB)
{
    // As the file system compares: ordinal, case folded, whatever the user's language.
    const std::wstring a = Widen(strA);
    const std::wstring b = Widen(strB);
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
        CSTR_EQUAL;
}

bool IsFolder(const std::string& strPath)
{
    const DWORD nAttributes = ::GetFileAttributesW(Widen(strPath).c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsRegularFile(const std::string& strPath)
{
    const std::wstring strWide = Widen(strPath);
    const DWORD nAttributes = ::GetFileAttributesW(strWide.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || (nAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return false;
    // A device name in any folder (C:\x\nul) answers as a plain file; its handle tells.
    // No access asked for, so a file that someone holds exclusively still answers.
    HANDLE h = ::CreateFileW(strWide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool bDisk = ::GetFileType(h) == FILE_TYPE_DISK;
    ::CloseHandle(h);
    return bDisk;
}
