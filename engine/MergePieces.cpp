#include "engine/MergePieces.h"

#include "engine/BlockCopy.h"
#include "engine/SetCheck.h"
#include "engine/SizeLimits.h"
#include "engine/TargetCheck.h"
#include "engine/TargetFolder.h"
#include "framework/portable/File.h"
#include "framework/portable/PendingFile.h"

#include <utility>

bool g_bMergeOk = false;

namespace {

CJobOutcome Failed(JobReason reason, std::string strFile = {}, long nOsError = 0)
{
    return CJobOutcome::Failed(JobKind::Merge, reason, std::move(strFile), nOsError);
}

} // namespace

CJobOutcome MergePieces(std::string selectedPath, IJobProgress* pProgress, bool bMayReplaceUnchecked,
                        const std::string& targetDir)
{
    g_bMergeOk = false;
    if (auto refusal = CheckTargetFolder(JobKind::Merge, targetDir))
        return *refusal;
    CFoundSet found;
    if (auto refusal = FindSet(JobKind::Merge, selectedPath, found, targetDir))
        return *refusal;
    const std::string& outName = found.strWholeName;
    if (auto refusal = CheckRoomForMerge(outName, found.set.nTotalBytes))
        return *refusal;
    // Refused now rather than after the whole copy; held until the merged file
    // replaces it.
    CFile existing;
    if (auto failure = CheckReplaceable(JobKind::Merge, outName, existing))
        return *failure;
    // Without a record nothing proves the pieces right, and the file they would
    // replace may be the intact original.
    if (!found.HasRecord() && existing.IsOpen() && !bMayReplaceUnchecked)
        return CJobOutcome::Asks(JobKind::Merge, JobReason::ReplaceUnchecked, outName);

    CBlockCopy copy(pProgress, found.set.nTotalBytes);
    if (!copy.Allocate(found.HasRecord()))
        return Failed(JobReason::NoMemory);
    RemoveAbandonedTemporaryFiles(outName);
    CPendingFile out;
    if (!out.Create(outName))
        return Failed(JobReason::CreateFile, outName, out.GetError());
    copy.BeginFile(outName);
    if (auto failure = ReadSet(JobKind::Merge, found, copy, &out.File()))
        return *failure;
    existing.Close();
    if (!out.Commit())
        return Failed(JobReason::CreateFile, outName, out.GetError());
    g_bMergeOk = true;
    return CJobOutcome::Done(JobKind::Merge, outName);
}
