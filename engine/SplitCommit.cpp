#include "engine/SplitCommit.h"

#include "engine/PieceName.h"
#include "engine/PieceSet.h"
#include "engine/TargetCheck.h"
#include "framework/portable/FileSystem.h"

#include <vector>

std::optional<CJobOutcome> CommitSplit(std::deque<CPendingFile>& pieces, CPendingFile* pRecord,
                                       const std::string& recordName)
{
    // The names were free or plain files when the split began; something may have
    // taken one since, and the pass must not stop halfway.
    std::vector<std::string> names;
    for (const CPendingFile& piece : pieces)
        names.push_back(piece.GetFinalName());
    names.push_back(recordName);
    if (auto failure = CheckAllReplaceable(JobKind::Split, names))
        return failure;

    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].Commit()) {
            for (std::size_t j = 0; j < i; ++j)
                RemoveFile(pieces[j].GetFinalName());
            return CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, pieces[i].GetFinalName(),
                                       pieces[i].GetError());
        }
    }
    // Pieces of an earlier, longer split would read as part of this one. Should one
    // refuse to go, the new record lists the set exactly and a merge names it.
    const CPieceName first(pieces.front().GetFinalName());
    const std::vector<bool> present = FindPieceNumbers(first);
    for (std::size_t n = pieces.size() + 1; n < present.size(); ++n) {
        if (present[n])
            RemoveFile(first.PieceName(static_cast<int>(n)));
    }
    if (pRecord == nullptr) {
        RemoveFile(recordName);
        return std::nullopt;
    }
    if (!pRecord->Commit()) {
        // An earlier record would call the new pieces damaged.
        RemoveFile(recordName);
        return CJobOutcome::Failed(JobKind::Split, JobReason::RecordUnwritable, recordName, pRecord->GetError());
    }
    return std::nullopt;
}
