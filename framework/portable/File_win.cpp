// Win32 backend of CFile: share mode 0 makes an open exclusive; shareDenyWrite lets
// readers in.
#include "framework/portable/File.h"

#include "framework/portable/String.h"
#include "framework/portable/Utf16.h"

#include <windows.h>

namespace {

// ReadFile and WriteFile count in DWORDs; stay well inside that.
constexpr std::size_t kMaxIoChunk = 1u << 30;

HANDLE ToHandle(void* h)
{
    return static_cast<HANDLE>(h);
}

} // namespace

std::string CFileException::GetCauseText() const
{
    wchar_t szText[512];
    DWORD nLength = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(m_nOsError), 0, szText, sizeof szText / sizeof szText[0], nullptr);
    if (nLength == 0)
        return AfxFormat("error 0x%08X", static_cast<unsigned>(m_nOsError));
    while (nLength > 0 && (szText[nLength - 1] == L'\r' || szText[nLength - 1] == L'\n' || szText[nLength - 1] == L' '))
        --nLength;
    return Narrow(szText, nLength);
}

CFile::~CFile()
{
    if (ToHandle(m_hFile) != INVALID_HANDLE_VALUE)
        ::CloseHandle(ToHandle(m_hFile));
}

bool CFile::Open(const std::string& strFileName, unsigned nOpenFlags)
{
    if (IsOpen())
        Close();
    bool bCreate = (nOpenFlags & modeCreate) != 0;
    DWORD nDisposition = OPEN_EXISTING;
    if (bCreate)
        nDisposition = (nOpenFlags & modeCreateNew) != 0 ? CREATE_NEW : OPEN_ALWAYS;
    const DWORD nShare = !bCreate && (nOpenFlags & shareDenyWrite) != 0 ? FILE_SHARE_READ : 0;
    HANDLE h = ::CreateFileW(Widen(strFileName).c_str(), bCreate ? GENERIC_WRITE : GENERIC_READ, nShare, nullptr,
        nDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_nOpenError = static_cast<long>(::GetLastError());
        return false;
    }
    // Cut only a file that has bytes: truncating every new file made the file system
    // flush each one, and a merge under Wine ran at half speed.
    LARGE_INTEGER nSize;
    if (bCreate && (!::GetFileSizeEx(h, &nSize) || (nSize.QuadPart != 0 && !::SetEndOfFile(h)))) {
        m_nOpenError = static_cast<long>(::GetLastError());
        ::CloseHandle(h);
        return false;
    }
    m_hFile = h;
    m_strFileName = strFileName;
    return true;
}

bool CFile::IsOpen() const
{
    return ToHandle(m_hFile) != INVALID_HANDLE_VALUE;
}

std::uint64_t CFile::GetLength() const
{
    LARGE_INTEGER nSize;
    if (!::GetFileSizeEx(ToHandle(m_hFile), &nSize))
        ThrowLastError("GetLength");
    return static_cast<std::uint64_t>(nSize.QuadPart);
}

void CFile::Seek(std::uint64_t nOffsetFromBegin)
{
    LARGE_INTEGER nOffset;
    nOffset.QuadPart = static_cast<LONGLONG>(nOffsetFromBegin);
    if (nOffset.QuadPart < 0)
        throw CFileException(m_strFileName, "Seek", ERROR_NEGATIVE_SEEK);
    if (!::SetFilePointerEx(ToHandle(m_hFile), nOffset, nullptr, FILE_BEGIN))
        ThrowLastError("Seek");
}

std::size_t CFile::Read(void* pBuffer, std::size_t nCount)
{
    char* p = static_cast<char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        std::size_t nChunk = nCount - nDone < kMaxIoChunk ? nCount - nDone : kMaxIoChunk;
        DWORD nRead = 0;
        if (!::ReadFile(ToHandle(m_hFile), p + nDone, static_cast<DWORD>(nChunk), &nRead, nullptr))
            ThrowLastError("Read");
        if (nRead == 0)
            break;
        nDone += nRead;
    }
    return nDone;
}

void CFile::Write(const void* pBuffer, std::size_t nCount)
{
    const char* p = static_cast<const char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        std::size_t nChunk = nCount - nDone < kMaxIoChunk ? nCount - nDone : kMaxIoChunk;
        DWORD nWritten = 0;
        if (!::WriteFile(ToHandle(m_hFile), p + nDone, static_cast<DWORD>(nChunk), &nWritten, nullptr))
            ThrowLastError("Write");
        if (nWritten == 0)
            throw CFileException(m_strFileName, "Write", ERROR_DISK_FULL);
        nDone += nWritten;
    }
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    HANDLE h = ToHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h))
        ThrowLastError("Close");
}

void CFile::ThrowLastError(const char* pszOperation) const
{
    long nError = static_cast<long>(::GetLastError());
    throw CFileException(m_strFileName, pszOperation, nError);
}
