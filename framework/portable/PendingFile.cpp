#include "framework/portable/PendingFile.h"

#include "framework/portable/String.h"

#include <atomic>
#include <cstdint>
#include <random>

std::string CPendingFile::MakeTemporaryName(const std::string& strFolder)
{
    // Counted from a random start, so that the names of one process never meet and
    // those of two seldom do.
    static std::atomic<std::uint32_t> s_nNext{std::random_device{}()};
    return strFolder + AfxFormat("~tosvik%08x.tmp", static_cast<unsigned>(s_nNext++));
}

std::string CPendingFile::FolderOf(const std::string& strPath)
{
#ifdef _WIN32
    const std::size_t nSlash = strPath.find_last_of("\\/");
#else
    const std::size_t nSlash = strPath.rfind('/');
#endif
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash + 1);
}

bool CPendingFile::Pend(const std::string& strFinalName, const std::string& strTempName)
{
    m_file.m_strFileName = strFinalName;
    m_strFinalName = strFinalName;
    m_strTempName = strTempName;
    m_bPending = true;
    return true;
}

void CPendingFile::CloseQuietly()
{
    try {
        m_file.Close();
    } catch (const CFileException&) {
    }
}

void CPendingFile::Discard()
{
    if (!m_bPending)
        return;
    m_bPending = false;
    CloseQuietly();
    if (!m_strTempName.empty())
        RemoveTemporaryName();
    m_strTempName.clear();
}
