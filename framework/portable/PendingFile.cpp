#include "framework/portable/PendingFile.h"

#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"
#include "framework/portable/TestHooks.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <random>

std::string CPendingFile::MakeTemporaryName(const std::string& strFolder)
{
    // Counted from a random start, so that the names of one process never meet and
    // those of two seldom do.
    static std::atomic<std::uint32_t> s_nNext{std::random_device{}()};
    if (std::optional<std::uint32_t>& seed = TestHooks().nNextTemporaryName) {
        s_nNext = *seed;
        seed.reset();
    }
    return strFolder + AfxFormat("~tosvik%08x.tmp", static_cast<unsigned>(s_nNext++));
}

bool CPendingFile::IsTemporaryName(const std::string& strName)
{
    static const char kPrefix[] = "~tosvik";
    static const char kSuffix[] = ".tmp";
    const std::size_t nLength = sizeof kPrefix - 1 + 8 + sizeof kSuffix - 1;
    if (strName.size() != nLength || strName.compare(0, sizeof kPrefix - 1, kPrefix) != 0 ||
        strName.compare(nLength - (sizeof kSuffix - 1), std::string::npos, kSuffix) != 0)
        return false;
    for (std::size_t i = sizeof kPrefix - 1; i < sizeof kPrefix - 1 + 8; ++i) {
        const char c = strName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

void RemoveAbandonedTemporaryFiles(const std::string& strPath)
{
    const std::string strFolder = CPendingFile::FolderOf(strPath);
    for (const std::string& name : ListFolder(strFolder.empty() ? "." : strFolder)) {
        if (CPendingFile::IsTemporaryName(name))
            CPendingFile::RemoveIfUnheld(strFolder + name);
    }
}

CAsideFile::~CAsideFile()
{
    if (m_strTempName.empty())
        return;
    PutBack();
    Release();
}

bool CAsideFile::PutBack()
{
    if (!TakeNameBack())
        return false;
    m_strTempName.clear();
    Release();
    return true;
}

void CAsideFile::Remove()
{
    if (m_strTempName.empty())
        return;
    RemoveTemporaryName();
    m_strTempName.clear();
    Release();
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
