#include "engine/SplitFile.h"

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/PieceName.h"
#include "engine/SizeLimits.h"
#include "engine/SplitCommit.h"
#include "engine/TargetCheck.h"
#include "engine/TargetFolder.h"
#include "framework/portable/File.h"
#include "framework/portable/PendingFile.h"

#include <cstdint>
#include <deque>
#include <vector>

bool g_bSplitOk = false;

namespace {

CJobOutcome Refused(JobReason reason)
{
    return CJobOutcome::Refused(JobKind::Split, reason);
}

} // namespace

CJobOutcome SplitFile(std::string sourcePath, std::uint64_t nPieceSize, IJobProgress* pProgress, bool bChecksums,
                      const std::string& targetDir)
{
    // Cleared first, so an error escaping mid-copy never leaves an earlier success.
    g_bSplitOk = false;
    if (nPieceSize == 0)
        return Refused(JobReason::SizeError);
    if (auto refusal = CheckTargetFolder(JobKind::Split, targetDir))
        return *refusal;

    // A device opens like an empty file; it is refused by name before that.
    if (auto refusal = CheckJobFiles(JobKind::Split, {sourcePath}, {}))
        return *refusal;
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead))
        return CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, sourcePath, source.GetOpenError());
    const std::uint64_t nLength = source.GetLength();
    if (nLength <= nPieceSize)
        return Refused(JobReason::NotWorthSplitting);
    const std::uint64_t nCount = PieceCount(nLength, nPieceSize);
    if (nCount > static_cast<std::uint64_t>(kMaxPieces))
        return TooManyPiecesFor(nLength);
    const CPieceName first(PlaceInTarget(targetDir, MakeFirstPieceName(sourcePath)));
    const std::string recordName = PlaceInTarget(targetDir, ChecksumRecordName(sourcePath));
    std::vector<std::string> writes;
    for (std::uint64_t i = 1; i <= nCount; ++i)
        writes.push_back(first.PieceName(static_cast<int>(i)));
    writes.push_back(recordName);
    if (auto refusal = CheckJobFiles(JobKind::Split, {sourcePath}, writes))
        return *refusal;
    if (auto refusal = CheckAllReplaceable(JobKind::Split, writes))
        return *refusal;
    if (auto refusal = CheckPiecesFitVolume(first.Path(), nPieceSize))
        return *refusal;
    if (auto refusal = CheckRoomForSplit(sourcePath, first.Path(), nCount, nLength, nPieceSize))
        return *refusal;
    CBlockCopy copy(pProgress, nLength);
    if (!copy.Allocate(bChecksums))
        return CJobOutcome::Failed(JobKind::Split, JobReason::NoMemory);

    // Every piece stays pending, under no name of its own, until all are whole: a
    // stop at any point, a killed process included, leaves the earlier set as it was.
    // Natively each holds a descriptor until then; a failure to get one is reported
    // like any file that cannot be created.
    RemoveAbandonedTemporaryFiles(writes.front());
    ReserveOpenFiles(writes.size());
    std::deque<CPendingFile> pieces;
    std::vector<CChecksumLine> record;
    for (std::uint64_t i = 0; i < nCount; ++i) {
        const std::string& name = writes[i];
        CPendingFile& piece = pieces.emplace_back();
        if (!piece.Create(name))
            return CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, name, piece.GetError());
        copy.BeginFile(name);
        const std::uint64_t nWanted = nLength - i * nPieceSize < nPieceSize ? nLength - i * nPieceSize : nPieceSize;
        const std::uint64_t nCopied = copy.Copy(source, piece.File(), nWanted);
        if (copy.IsCancelled())
            return CJobOutcome::Cancelled(JobKind::Split);
        // The source shrank under us: what is missing cannot be a success.
        if (nCopied < nWanted)
            return CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, sourcePath);
        if (bChecksums)
            record.push_back({copy.FinishFileHash(), CPieceName(name).FileName()});
    }
    source.Close();
    CPendingFile recordFile;
    if (bChecksums) {
        record.push_back({copy.FinishJobHash(), CPieceName(sourcePath).FileName()});
        if (!recordFile.Create(recordName))
            return CJobOutcome::Failed(JobKind::Split, JobReason::RecordUnwritable, recordName, recordFile.GetError());
        const std::string text = FormatChecksumRecord(record);
        recordFile.File().Write(text.data(), text.size());
    }
    if (auto failure = CommitSplit(pieces, bChecksums ? &recordFile : nullptr, recordName))
        return *failure;
    g_bSplitOk = true;
    return CJobOutcome::Done(JobKind::Split, writes.front());
}
