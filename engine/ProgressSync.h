// The progress of a job shared between the thread that runs it and one that watches:
// the job writes through IJobProgress, the watcher reads the figures and asks for a
// cancel at any time, from any thread. Nothing waits: the job never stops for the
// watcher, and the watcher polls.
#pragma once

#include "engine/JobProgress.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

class CProgressSync final : public IJobProgress {
public:
    void OnFile(const std::string& strPath, std::uint64_t nJobBytes) override;
    bool OnStep(std::uint64_t nDone) override;

    // The file the job writes now; empty before it began.
    std::string GetFile() const;
    // The bytes done: never less than at an earlier call.
    std::uint64_t GetDone() const { return m_nDone; }
    // The job's bytes, once it began: never less than GetDone() read before it.
    std::uint64_t GetTotal() const { return m_nTotal; }
    // The job stops at its next step.
    void Cancel() { m_bCancel = true; }
    bool IsCancelled() const { return m_bCancel; }

private:
    std::atomic<bool> m_bCancel{false};
    std::atomic<std::uint64_t> m_nDone{0};
    std::atomic<std::uint64_t> m_nTotal{0};
    mutable std::mutex m_fileMutex;
    std::string m_strFile;  // guarded by m_fileMutex
};
