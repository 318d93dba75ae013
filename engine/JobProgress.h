// How a long job tells how far it got and learns that the user wants it stopped.
// CProgressSync implements it for the progress dialog and the benchmark alike.
#pragma once

#include <cstdint>
#include <string>

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
