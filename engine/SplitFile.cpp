#include "engine/SplitFile.h"

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/PieceName.h"
#include "engine/TargetCheck.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"

#include <cstdint>
#include <vector>

bool g_bSplitOk = false;

namespace {

CJobOutcome Refused(JobReason reason)
{
    return CJobOutcome::Refused(JobKind::Split, reason);
}

// A cancelled split leaves no piece of its own behind.
CJobOutcome DiscardUnfinished(const std::vector<std::string>& written)
{
    for (const std::string& name : written)
        RemoveFile(name);
    return CJobOutcome::Cancelled(JobKind::Split);
}

} // namespace

CJobOutcome SplitFile(std::string sourcePath, int pieceSizeK, IJobProgress* pProgress, bool bChecksums)
{
    // Cleared first, so an error escaping mid-copy never leaves an earlier success.
    g_bSplitOk = false;
    if (pieceSizeK <= 0)
        return Refused(JobReason::SizeError);
    const std::uint64_t nPieceSize = static_cast<std::uint64_t>(pieceSizeK) * 1000;

    // A device opens like an empty file; it is refused by name before that.
    if (auto refusal = CheckJobFiles(JobKind::Split, {sourcePath}, {}))
        return *refusal;
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead))
        return CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, sourcePath, source.GetOpenError());
    const std::uint64_t nLength = source.GetLength();
    if (nLength <= nPieceSize)
        return Refused(JobReason::NotWorthSplitting);
    // An exact multiple still gets its empty last piece, so a merge finds the end.
    const std::uint64_t nCount = nLength / nPieceSize + 1;
    if (nCount > static_cast<std::uint64_t>(kMaxPieces))
        return Refused(JobReason::TooManyPieces);
    const CPieceName first(MakeFirstPieceName(sourcePath));
    std::vector<std::string> names;
    for (std::uint64_t i = 1; i <= nCount; ++i)
        names.push_back(first.PieceName(static_cast<int>(i)));
    if (auto refusal = CheckJobFiles(JobKind::Split, {sourcePath}, names))
        return *refusal;
    CBlockCopy copy(pProgress, nLength);
    if (!copy.Allocate(bChecksums))
        return CJobOutcome::Failed(JobKind::Split, JobReason::NoMemory);
    // A record of an earlier split would claim a whole set while this one is unfinished.
    const std::string recordName = ChecksumRecordName(sourcePath);
    RemoveFile(recordName);
    std::vector<CChecksumLine> record;

    std::vector<std::string> written;
    for (std::uint64_t i = 0; i < nCount; ++i) {
        const std::string& name = names[i];
        CFile piece;
        if (!piece.Open(name, CFile::modeCreate | CFile::modeWrite))
            return CJobOutcome::Failed(JobKind::Split, JobReason::CreateFile, name, piece.GetOpenError());
        written.push_back(name);
        copy.BeginFile(name);
        const std::uint64_t nWanted = nLength - i * nPieceSize < nPieceSize ? nLength - i * nPieceSize : nPieceSize;
        const std::uint64_t nCopied = copy.Copy(source, piece, nWanted);
        piece.Close();
        if (copy.IsCancelled())
            return DiscardUnfinished(written);
        // The source shrank under us: what is missing cannot be a success.
        if (nCopied < nWanted)
            return CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, sourcePath);
        if (bChecksums)
            record.push_back({copy.FinishFileHash(), CPieceName(name).FileName()});
    }
    source.Close();
    if (bChecksums) {
        record.push_back({copy.FinishJobHash(), CPieceName(sourcePath).FileName()});
        long nError = 0;
        if (!WriteChecksumRecord(recordName, record, nError))
            return CJobOutcome::Failed(JobKind::Split, JobReason::RecordUnwritable, recordName, nError);
    }
    g_bSplitOk = true;
    return CJobOutcome::Done(JobKind::Split, names.front());
}
