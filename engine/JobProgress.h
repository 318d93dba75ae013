// How a long job tells how far it got and learns that the user wants it stopped.
// The worker behind the progress dialog, the tests and the benchmark implement it.
#pragma once

#include <cstdint>
#include <string>

enum class JobResult {
    Done,        // every file written; the outcome flag is true
    Failed,      // refused or failed after its box; the outcome flag is false
    Cancelled,   // stopped on request, unfinished files removed, after its box
};

class IJobProgress {
public:
    // The job writes strPath now; nJobBytes is what the whole job copies.
    virtual void OnFile(const std::string& strPath, std::uint64_t nJobBytes) = 0;
    // nDone of the job's bytes are copied (never less than at the last call).
    // True asks the job to stop.
    virtual bool OnStep(std::uint64_t nDone) = 0;

protected:
    ~IJobProgress() = default;
};
