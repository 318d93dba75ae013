#include "engine/Job.h"

#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "engine/VerifySet.h"

CJobOutcome RunJob(const CJobRequest& request, IJobProgress* pProgress)
{
    if (request.kind == JobKind::Split)
        return SplitFile(request.strPath, request.nPieceSize, pProgress, true, request.strTargetDir);
    if (request.kind == JobKind::Verify)
        return VerifySet(request.strPath, pProgress);
    return MergePieces(request.strPath, pProgress, request.bMayReplaceUnchecked, request.strTargetDir);
}
