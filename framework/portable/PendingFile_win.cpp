// Win32 backend of CPendingFile: the file is made under a temporary name with DELETE
// access and the delete disposition set, so the system removes it when its handle
// closes, also when the process is killed. Commit clears the disposition and renames
// the file through that same handle, so no other program can come between.
#include "framework/portable/PendingFile.h"

#include "framework/portable/Utf16.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include <windows.h>

namespace {

bool SetDeleteDisposition(HANDLE h, bool bDelete)
{
    FILE_DISPOSITION_INFO info = {};
    info.DeleteFile = bDelete ? TRUE : FALSE;
    return ::SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != FALSE;
}

// The system takes a relative name as relative to the current folder, not to the
// file's, so the final name goes in whole.
bool RenameByHandle(HANDLE h, const std::string& strFinalName, bool bReplace = true)
{
    const std::wstring strWide = Widen(strFinalName);
    const DWORD nChars = ::GetFullPathNameW(strWide.c_str(), 0, nullptr, nullptr);
    if (nChars == 0)
        return false;
    std::wstring strFull(nChars, L'\0');
    strFull.resize(::GetFullPathNameW(strWide.c_str(), nChars, &strFull[0], nullptr));
    const std::size_t nNameBytes = strFull.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nNameBytes + sizeof(wchar_t), 0);
    auto* pInfo = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    pInfo->ReplaceIfExists = bReplace ? TRUE : FALSE;
    pInfo->RootDirectory = nullptr;
    pInfo->FileNameLength = static_cast<DWORD>(nNameBytes);
    std::memcpy(pInfo->FileName, strFull.c_str(), nNameBytes);
    return ::SetFileInformationByHandle(h, FileRenameInfo, pInfo, static_cast<DWORD>(buffer.size())) != FALSE;
}

} // namespace

bool CPendingFile::Create(const std::string& strFinalName)
{
    Discard();
    const std::string strFolder = FolderOf(strFinalName);
    HANDLE h = INVALID_HANDLE_VALUE;
    std::string strTempName;
    DWORD nError = ERROR_SUCCESS;
    for (int n = 0; h == INVALID_HANDLE_VALUE && n < kNameAttempts; ++n) {
        strTempName = MakeTemporaryName(strFolder);
        h = ::CreateFileW(Widen(strTempName).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
        nError = h == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        // A name whose file is still being deleted answers "access denied".
        if (nError != ERROR_SUCCESS && nError != ERROR_FILE_EXISTS && nError != ERROR_ALREADY_EXISTS &&
            nError != ERROR_ACCESS_DENIED)
            break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        m_nError = static_cast<long>(nError);
        return false;
    }
    if (!SetDeleteDisposition(h, true)) {
        m_nError = static_cast<long>(::GetLastError());
        ::CloseHandle(h);
        ::DeleteFileW(Widen(strTempName).c_str());
        return false;
    }
    m_file.m_hFile = h;
    return Pend(strFinalName, strTempName);
}

bool CPendingFile::Commit()
{
    if (!m_bPending) {
        m_nError = ERROR_INVALID_HANDLE;
        return false;
    }
    HANDLE h = static_cast<HANDLE>(m_file.m_hFile);
    if (!SetDeleteDisposition(h, false) || !RenameByHandle(h, m_strFinalName)) {
        m_nError = static_cast<long>(::GetLastError());
        SetDeleteDisposition(h, true);
        return false;
    }
    m_bPending = false;
    m_strTempName.clear();
    CloseQuietly();
    return true;
}

void CPendingFile::RemoveTemporaryName()
{
    // Gone already with its handle, unless the disposition could not be set again
    // after a failed commit.
    ::DeleteFileW(Widen(m_strTempName).c_str());
}

bool ReserveOpenFiles(std::size_t)
{
    return true;
}

void CPendingFile::RemoveIfUnheld(const std::string& strPath)
{
    // Whoever holds one of ours holds it exclusively, so the system refuses this.
    ::DeleteFileW(Widen(strPath).c_str());
}

bool CAsideFile::MoveAside(const std::string& strName)
{
    m_strName = strName;
    // A link moves itself, not the file it leads to.
    HANDLE h = ::CreateFileW(Widen(strName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_nError = static_cast<long>(::GetLastError());
        return false;
    }
    const std::string strFolder = CPendingFile::FolderOf(strName);
    for (int n = 0; n < CPendingFile::kNameAttempts; ++n) {
        const std::string strTempName = CPendingFile::MakeTemporaryName(strFolder);
        if (RenameByHandle(h, strTempName, false)) {
            if (!SetDeleteDisposition(h, true)) {
                m_nError = static_cast<long>(::GetLastError());
                RenameByHandle(h, strName, false);
                break;
            }
            m_strTempName = strTempName;
            m_nHandle = reinterpret_cast<std::intptr_t>(h);
            return true;
        }
        m_nError = static_cast<long>(::GetLastError());
        if (m_nError != ERROR_FILE_EXISTS && m_nError != ERROR_ALREADY_EXISTS)
            break;
    }
    ::CloseHandle(h);
    return false;
}

bool CAsideFile::TakeNameBack()
{
    HANDLE h = reinterpret_cast<HANDLE>(m_nHandle);
    if (SetDeleteDisposition(h, false) && RenameByHandle(h, m_strName))
        return true;
    m_nError = static_cast<long>(::GetLastError());
    return false;
}

void CAsideFile::RemoveTemporaryName()
{
    // Its delete disposition is set: Release removes it.
}

void CAsideFile::Release()
{
    if (m_nHandle != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_nHandle));
    m_nHandle = -1;
}
