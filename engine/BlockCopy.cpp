#include "engine/BlockCopy.h"

#include <algorithm>
#include <new>

CBlockCopy::CBlockCopy(IJobProgress* pProgress, std::uint64_t nJobBytes)
    : m_pProgress(pProgress), m_nJobBytes(nJobBytes)
{
}

bool CBlockCopy::Allocate()
{
    m_block.reset(new (std::nothrow) char[kBlockSize]);
    return m_block != nullptr;
}

void CBlockCopy::BeginFile(const std::string& strPath)
{
    if (m_pProgress != nullptr)
        m_pProgress->OnFile(strPath, m_nJobBytes);
}

std::uint64_t CBlockCopy::Copy(CFile& from, CFile& to, std::uint64_t nLimit)
{
    std::uint64_t nCopied = 0;
    std::size_t nWanted = 0;
    std::size_t nRead = 0;
    do {
        nWanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, nLimit - nCopied));
        nRead = nWanted == 0 ? 0 : from.Read(m_block.get(), nWanted);
        if (nRead > 0)
            to.Write(m_block.get(), nRead);
        nCopied += nRead;
        m_nDone += nRead;
        // At least once a file, also an empty one, so every file is a step to cancel at.
        if (m_pProgress != nullptr && m_pProgress->OnStep(m_nDone)) {
            m_bCancelled = true;
            break;
        }
    } while (nRead > 0 && nRead == nWanted && nCopied < nLimit);
    return nCopied;
}
