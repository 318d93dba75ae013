#include "engine/Job.h"

#include "engine/MergePieces.h"
#include "engine/SplitFile.h"

CJobOutcome RunJob(const CJobRequest& request, IJobProgress* pProgress)
{
    if (request.kind == JobKind::Split)
        return SplitFile(request.strPath, request.nPieceSize, pProgress, true, request.strTargetDir);
    return MergePieces(request.strPath, pProgress, request.bMayReplaceUnchecked, request.strTargetDir);
}
