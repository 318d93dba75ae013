#include "engine/BlockCopy.h"

#include <algorithm>
#include <memory>
#include <new>

CBlockCopy::CBlockCopy(IJobProgress* pProgress, std::uint64_t nJobBytes)
    : m_pProgress(pProgress), m_nJobBytes(nJobBytes)
{
}

bool CBlockCopy::Allocate(bool bWithHashes)
{
    m_nBlockSize = bWithHashes ? kBlockSize / kRingBlocks : kBlockSize;
    for (int i = 0; i < (bWithHashes ? kRingBlocks : 1); ++i) {
        std::size_t nSpace = m_nBlockSize + kBlockAlignment - 1;
        m_storage[i].reset(new (std::nothrow) char[nSpace]);
        if (!m_storage[i])
            return false;
        void* pBlock = m_storage[i].get();
        m_blocks[i] = static_cast<char*>(std::align(kBlockAlignment, m_nBlockSize, pBlock, nSpace));
    }
    if (bWithHashes) {
        // A block goes round again only after both lanes hashed it.
        m_fileHash = std::make_unique<CHashLane>(kRingBlocks - 1);
        m_jobHash = std::make_unique<CHashLane>(kRingBlocks - 1);
    }
    return true;
}

void CBlockCopy::BeginFile(const std::string& strPath)
{
    if (m_pProgress != nullptr)
        m_pProgress->OnFile(strPath, m_nJobBytes);
}

std::uint64_t CBlockCopy::Pass(CFile& from, CFile* pTo, std::uint64_t nLimit)
{
    std::uint64_t nCopied = 0;
    std::size_t nWanted = 0;
    std::size_t nRead = 0;
    do {
        char* pBlock = m_blocks[m_nCurrent];
        nWanted = static_cast<std::size_t>(std::min<std::uint64_t>(m_nBlockSize, nLimit - nCopied));
        nRead = nWanted == 0 ? 0 : from.Read(pBlock, nWanted);
        if (nRead > 0) {
            if (pTo != nullptr)
                pTo->Write(pBlock, nRead);
            if (m_fileHash) {
                // Once both lanes took this block, the next one of the ring is hashed.
                m_fileHash->Add(pBlock, nRead);
                m_jobHash->Add(pBlock, nRead);
                m_nCurrent = (m_nCurrent + 1) % kRingBlocks;
            }
        }
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
