#include "engine/ProgressSync.h"

void CProgressSync::OnFile(const std::string& strPath, std::uint64_t nJobBytes)
{
    // The total first: a watcher that sees bytes done sees the total they belong to.
    m_nTotal = nJobBytes;
    std::lock_guard<std::mutex> lock(m_fileMutex);
    m_strFile = strPath;
}

bool CProgressSync::OnStep(std::uint64_t nDone)
{
    m_nDone = nDone;
    return m_bCancel;
}

std::string CProgressSync::GetFile() const
{
    std::lock_guard<std::mutex> lock(m_fileMutex);
    return m_strFile;
}
