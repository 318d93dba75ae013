// POSIX backend of CFile. flock() stands in for Windows' sharing: a second CFile on
// the same file, in this process or another, fails to open unless both read with
// shareDenyWrite (a shared lock).
#include "framework/portable/File.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large enough for whole pieces in one call, small enough for every kernel's limit.
constexpr std::size_t kMaxIoChunk = 1u << 30;

// -1 with the cause in nError when the file cannot be had.
int OpenLocked(const char* pszName, int nFlags, mode_t nMode, int nLock, long& nError)
{
    int fd;
    do {
        fd = ::open(pszName, nFlags | O_CLOEXEC, nMode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        nError = errno;
        return -1;
    }
    struct stat st;
    bool bOk = ::fstat(fd, &st) == 0;
    if (bOk && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        bOk = false;
    }
    bOk = bOk && ::flock(fd, nLock | LOCK_NB) == 0;
    // Truncate only once the lock is ours, so an open file of someone else is never cut;
    // and only when there is something to cut: ext4 flushes a file truncated to zero
    // when it is closed.
    if (bOk && (nFlags & O_WRONLY) != 0 && S_ISREG(st.st_mode) && st.st_size != 0)
        bOk = ::ftruncate(fd, 0) == 0;
    if (!bOk) {
        nError = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::string CFileException::GetCauseText() const
{
    return std::strerror(static_cast<int>(m_nOsError));
}

CFile::~CFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFile::Open(const std::string& strFileName, unsigned nOpenFlags)
{
    if (IsOpen())
        Close();
    if ((nOpenFlags & modeCreate) != 0)
        m_fd = OpenLocked(strFileName.c_str(), O_WRONLY | O_CREAT | ((nOpenFlags & modeCreateNew) != 0 ? O_EXCL : 0), 0666,
                          LOCK_EX, m_nOpenError);
    else
        m_fd = OpenLocked(strFileName.c_str(), O_RDONLY, 0, (nOpenFlags & shareDenyWrite) != 0 ? LOCK_SH : LOCK_EX,
                          m_nOpenError);
    if (m_fd < 0)
        return false;
    m_strFileName = strFileName;
    return true;
}

bool CFile::IsOpen() const
{
    return m_fd >= 0;
}

std::uint64_t CFile::GetLength() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        ThrowLastError("GetLength");
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::Seek(std::uint64_t nOffsetFromBegin)
{
    if (nOffsetFromBegin > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
        throw CFileException(m_strFileName, "Seek", EOVERFLOW);
    if (::lseek(m_fd, static_cast<off_t>(nOffsetFromBegin), SEEK_SET) < 0)
        ThrowLastError("Seek");
}

std::size_t CFile::Read(void* pBuffer, std::size_t nCount)
{
    char* p = static_cast<char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        std::size_t nChunk = nCount - nDone < kMaxIoChunk ? nCount - nDone : kMaxIoChunk;
        ssize_t n = ::read(m_fd, p + nDone, nChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError("Read");
        }
        if (n == 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    return nDone;
}

void CFile::Write(const void* pBuffer, std::size_t nCount)
{
    const char* p = static_cast<const char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        std::size_t nChunk = nCount - nDone < kMaxIoChunk ? nCount - nDone : kMaxIoChunk;
        ssize_t n = ::write(m_fd, p + nDone, nChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError("Write");
        }
        if (n == 0)
            throw CFileException(m_strFileName, "Write", ENOSPC);
        nDone += static_cast<std::size_t>(n);
    }
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    // Linux closes the descriptor even when close() fails, so it is never retried.
    if (::close(fd) != 0 && errno != EINTR)
        ThrowLastError("Close");
}

void CFile::ThrowLastError(const char* pszOperation) const
{
    long nError = errno;
    throw CFileException(m_strFileName, pszOperation, nError);
}
