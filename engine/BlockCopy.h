// The copy loop of a job, or the reading loop of a check: one block of about 1 MiB
// for every file, and the job's progress reported, and its cancel asked for, after
// every block. With hashes, the bytes are hashed as they are copied, per file and for
// the whole job, while the next blocks are read into others.
#pragma once

#include "engine/HashLane.h"
#include "engine/JobProgress.h"
#include "framework/portable/File.h"

#include <cstdint>
#include <memory>
#include <string>

class CBlockCopy {
public:
    // Large enough that a system call per block costs nothing, small enough for the
    // processor's cache and for a cancel to take effect at once. With hashes the
    // copy goes round a ring of blocks a quarter of the size, so memory stays the
    // same while the hashing threads work through the blocks behind the copy.
    static constexpr std::size_t kBlockSize = 1 << 20;
    static constexpr int kRingBlocks = 4;
    // Blocks start on a page boundary: the system copies file bytes into and out of a
    // block that the allocator leaves 16 bytes off a cache line about a third slower.
    static constexpr std::size_t kBlockAlignment = 4096;

    CBlockCopy(IJobProgress* pProgress, std::uint64_t nJobBytes);

    // False when the blocks cannot be allocated.
    bool Allocate(bool bWithHashes);
    // The job writes strPath now.
    void BeginFile(const std::string& strPath);
    // Copies from the current position of from to that of to, nLimit bytes or up to
    // the end of from. Returns the bytes copied; stops early when the job is cancelled.
    std::uint64_t Copy(CFile& from, CFile& to, std::uint64_t nLimit) { return Pass(from, &to, nLimit); }
    // The same with nothing written: the bytes are only hashed and counted.
    std::uint64_t Read(CFile& from, std::uint64_t nLimit) { return Pass(from, nullptr, nLimit); }
    bool IsCancelled() const { return m_bCancelled; }
    // Digests of the bytes copied since the last call, with hashes only.
    std::string FinishFileHash() { return m_fileHash->Finish(); }
    std::string FinishJobHash() { return m_jobHash->Finish(); }

private:
    std::uint64_t Pass(CFile& from, CFile* pTo, std::uint64_t nLimit);

    IJobProgress* m_pProgress;
    std::uint64_t m_nJobBytes;
    std::uint64_t m_nDone = 0;
    bool m_bCancelled = false;
    std::size_t m_nBlockSize = kBlockSize;
    std::unique_ptr<char[]> m_storage[kRingBlocks];
    char* m_blocks[kRingBlocks] = {};
    int m_nCurrent = 0;
    std::unique_ptr<CHashLane> m_fileHash;
    std::unique_ptr<CHashLane> m_jobHash;
};
