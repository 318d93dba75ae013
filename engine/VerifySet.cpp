#include "engine/VerifySet.h"

#include "engine/BlockCopy.h"
#include "engine/SetCheck.h"

CJobOutcome VerifySet(const std::string& chosenPath, IJobProgress* pProgress)
{
    CFoundSet found;
    if (auto refusal = FindSet(JobKind::Verify, chosenPath, found))
        return *refusal;
    CJobOutcome outcome = CJobOutcome::Done(JobKind::Verify, found.strRecordName);
    outcome.nPieces = static_cast<int>(found.set.names.size());
    // Names and lengths were all there is to go by, and they were checked.
    if (!found.HasRecord()) {
        outcome.reason = JobReason::CheckedWithoutRecord;
        return outcome;
    }
    CBlockCopy copy(pProgress, found.set.nTotalBytes);
    if (!copy.Allocate(true))
        return CJobOutcome::Failed(JobKind::Verify, JobReason::NoMemory);
    if (auto failure = ReadSet(JobKind::Verify, found, copy, nullptr))
        return *failure;
    return outcome;
}
