#include "engine/MergePieces.h"

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/PieceName.h"
#include "engine/PieceSet.h"
#include "engine/SizeLimits.h"
#include "engine/TargetCheck.h"
#include "engine/TargetFolder.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/PendingFile.h"

#include <cstdint>
#include <limits>
#include <utility>

bool g_bMergeOk = false;

namespace {

CJobOutcome Failed(JobReason reason, std::string strFile = {}, long nOsError = 0)
{
    return CJobOutcome::Failed(JobKind::Merge, reason, std::move(strFile), nOsError);
}

// With a record, its lines must name this set: its pieces in order, then the file
// the merge writes.
bool RecordNamesThisSet(const std::vector<CChecksumLine>& lines, const CPieceName& selected,
                        const std::string& outName)
{
    if (lines.size() < 2 || lines.size() > static_cast<std::size_t>(kMaxPieces) + 1)
        return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = i + 1 == lines.size() ? outName
            : i == 0 ? selected.Path() : selected.PieceName(static_cast<int>(i + 1));
        if (!SameFileName(lines[i].strName, CPieceName(name).FileName()))
            return false;
    }
    return true;
}

} // namespace

CJobOutcome MergePieces(std::string selectedPath, IJobProgress* pProgress, bool bMayReplaceUnchecked,
                        const std::string& targetDir)
{
    g_bMergeOk = false;
    const CPieceName selected(selectedPath);
    // Merging from a later piece would silently leave out the start of the file.
    if (selected.CheckFirstPiece() != PieceNameFault::None)
        return CJobOutcome::Refused(JobKind::Merge, JobReason::NotFirstPiece, selectedPath);
    if (auto refusal = CheckTargetFolder(JobKind::Merge, targetDir))
        return *refusal;
    const std::string outName = PlaceInTarget(targetDir, selected.MergedName());
    // A device name is refused as such before its record's name is looked at.
    if (auto refusal = CheckJobFiles(JobKind::Merge, {}, {outName}))
        return *refusal;

    CFile piece;
    if (!piece.Open(selectedPath, CFile::modeRead))
        return Failed(JobReason::ReadSource, selectedPath, piece.GetOpenError());
    // The record lies with the pieces, wherever the merged file goes.
    const std::string recordName = ChecksumRecordName(selected.MergedName());
    std::vector<CChecksumLine> record;
    const RecordState recordState = ReadChecksumRecord(recordName, record);
    if (recordState == RecordState::Bad ||
        (recordState == RecordState::Read && !RecordNamesThisSet(record, selected, outName)))
        return CJobOutcome::Refused(JobKind::Merge, JobReason::RecordBad, recordName);
    const int nListed = static_cast<int>(record.empty() ? 0 : record.size() - 1);
    CPieceSet set;
    if (auto refusal = CheckPieceSet(selectedPath, piece.GetLength(), nListed, set))
        return *refusal;
    std::vector<std::string> reads = set.names;
    reads.push_back(recordName);
    if (auto refusal = CheckJobFiles(JobKind::Merge, reads, {outName}))
        return *refusal;
    if (auto refusal = CheckRoomForMerge(outName, set.nTotalBytes))
        return *refusal;
    // Refused now rather than after the whole copy; held until the merged file
    // replaces it.
    CFile existing;
    if (auto failure = CheckReplaceable(JobKind::Merge, outName, existing))
        return *failure;
    // Without a record nothing proves the pieces right, and the file they would
    // replace may be the intact original.
    if (nListed == 0 && existing.IsOpen() && !bMayReplaceUnchecked)
        return CJobOutcome::Asks(JobKind::Merge, JobReason::ReplaceUnchecked, outName);

    CBlockCopy copy(pProgress, set.nTotalBytes);
    if (!copy.Allocate(nListed > 0))
        return Failed(JobReason::NoMemory);
    RemoveAbandonedTemporaryFiles(outName);
    CPendingFile out;
    if (!out.Create(outName))
        return Failed(JobReason::CreateFile, outName, out.GetError());
    copy.BeginFile(outName);
    for (std::size_t i = 0; i < set.names.size(); ++i) {
        // Found by the check a moment ago; gone now means the set changed under us.
        if (i > 0 && !piece.Open(set.names[i], CFile::modeRead))
            return Failed(JobReason::ReadSource, set.names[i], piece.GetOpenError());
        copy.Copy(piece, out.File(), std::numeric_limits<std::uint64_t>::max());
        piece.Close();
        if (copy.IsCancelled())
            return CJobOutcome::Cancelled(JobKind::Merge);
        if (nListed > 0 && copy.FinishFileHash() != record[i].strHash)
            return Failed(JobReason::PieceDamaged, set.names[i]);
    }
    if (nListed > 0 && copy.FinishJobHash() != record.back().strHash)
        return Failed(JobReason::WholeMismatch);
    existing.Close();
    if (!out.Commit())
        return Failed(JobReason::CreateFile, outName, out.GetError());
    g_bMergeOk = true;
    return CJobOutcome::Done(JobKind::Merge, outName);
}
