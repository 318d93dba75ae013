// POSIX backend of CPendingFile: O_TMPFILE makes a file with no name in the folder,
// which vanishes with its last descriptor however the process ends; linkat through
// /proc/self/fd gives it a temporary name at commit, and rename() the final one.
// Where a file system or kernel refuses O_TMPFILE, a named temporary file stands in
// (removed on discard). Every temporary name is held by a lock (flock) for as long as
// it is ours, so that the next job in the folder can tell what a killed one left.
#include "framework/portable/PendingFile.h"

#include "framework/portable/TestHooks.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string DescriptorPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// A file of no name in strFolder, or -1. Only when /proc shows the descriptor can
// it be given a name later.
int OpenUnnamed(const std::string& strFolder)
{
    const int fd = ::open(strFolder.empty() ? "." : strFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat st;
    if (::stat(DescriptorPath(fd).c_str(), &st) == 0)
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

bool CPendingFile::Create(const std::string& strFinalName)
{
    Discard();
    const std::string strFolder = FolderOf(strFinalName);
    int fd = TestHooks().bNoUnnamedFiles ? -1 : OpenUnnamed(strFolder);
    // Stays empty when the file has no name.
    std::string strTempName;
    for (int n = 0; fd < 0 && n < kNameAttempts; ++n) {
        strTempName = MakeTemporaryName(strFolder);
        fd = ::open(strTempName.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        m_nError = errno;
        return false;
    }
    // As every CFile: no one else opens it while it is ours.
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_file.m_fd = fd;
    return Pend(strFinalName, strTempName);
}

bool CPendingFile::Commit()
{
    if (!m_bPending) {
        m_nError = EBADF;
        return false;
    }
    const std::string strFolder = FolderOf(m_strFinalName);
    for (int n = 0; m_strTempName.empty() && n < kNameAttempts; ++n) {
        const std::string strName = MakeTemporaryName(strFolder);
        if (::linkat(AT_FDCWD, DescriptorPath(m_file.m_fd).c_str(), AT_FDCWD, strName.c_str(), AT_SYMLINK_FOLLOW) == 0)
            m_strTempName = strName;
        else if (errno != EEXIST)
            break;
    }
    if (m_strTempName.empty()) {
        m_nError = errno;
        return false;
    }
    // Closed before it takes the name: a late write error (a network file system
    // reports some only here) must not replace a good file. A second descriptor of
    // the same open file keeps the lock on the temporary name until it is gone.
    const int nLockFd = ::dup(m_file.m_fd);
    bool bOk = true;
    try {
        m_file.Close();
    } catch (const CFileException& e) {
        m_nError = e.GetOsError();
        bOk = false;
    }
    if (bOk && ::rename(m_strTempName.c_str(), m_strFinalName.c_str()) != 0) {
        m_nError = errno;
        bOk = false;
    }
    if (bOk) {
        m_strTempName.clear();
        m_bPending = false;
    } else {
        Discard();
    }
    if (nLockFd >= 0)
        ::close(nLockFd);
    return bOk;
}

void CPendingFile::RemoveTemporaryName()
{
    ::unlink(m_strTempName.c_str());
}

void CPendingFile::RemoveIfUnheld(const std::string& strPath)
{
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    // Locked, it is no one's; the name must still lead to what was locked, or it
    // has been given to a new file meanwhile.
    struct stat held, named;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(strPath.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlink(strPath.c_str());
    ::close(fd);
}

bool CAsideFile::MoveAside(const std::string& strName)
{
    m_strName = strName;
    const int fd = ::open(strName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_nError = errno;
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const std::string strFolder = CPendingFile::FolderOf(strName);
    for (int n = 0; n < CPendingFile::kNameAttempts; ++n) {
        const std::string strTempName = CPendingFile::MakeTemporaryName(strFolder);
        int nResult = ::renameat2(AT_FDCWD, strName.c_str(), AT_FDCWD, strTempName.c_str(), RENAME_NOREPLACE);
        // A file system that cannot promise it: the name is looked at first.
        if (nResult != 0 && errno == EINVAL) {
            struct stat st;
            nResult = ::lstat(strTempName.c_str(), &st) == 0 ? (errno = EEXIST, -1)
                                                              : ::rename(strName.c_str(), strTempName.c_str());
        }
        if (nResult == 0) {
            m_strTempName = strTempName;
            m_nHandle = fd;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    m_nError = errno;
    ::close(fd);
    return false;
}

bool CAsideFile::TakeNameBack()
{
    if (::rename(m_strTempName.c_str(), m_strName.c_str()) == 0)
        return true;
    m_nError = errno;
    return false;
}

void CAsideFile::RemoveTemporaryName()
{
    ::unlink(m_strTempName.c_str());
}

void CAsideFile::Release()
{
    if (m_nHandle >= 0)
        ::close(static_cast<int>(m_nHandle));
    m_nHandle = -1;
}

bool ReserveOpenFiles(std::size_t nFiles)
{
    // The kernel hands out the lowest free number, so the limit must exceed what is
    // open now plus what is to come.
    std::size_t nOpen = 0;
    if (DIR* pDir = ::opendir("/proc/self/fd")) {
        while (::readdir(pDir) != nullptr)
            ++nOpen;
        ::closedir(pDir);
    } else {
        nOpen = 64;
    }
    struct rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return false;
    const rlim_t nNeeded = static_cast<rlim_t>(nOpen + nFiles);
    if (limit.rlim_cur >= nNeeded)
        return true;
    limit.rlim_cur = limit.rlim_max < nNeeded ? limit.rlim_max : nNeeded;
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur >= nNeeded;
}
