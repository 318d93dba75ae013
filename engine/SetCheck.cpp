#include "engine/SetCheck.h"

#include "engine/PieceName.h"
#include "engine/TargetCheck.h"
#include "engine/TargetFolder.h"
#include "framework/portable/FileSystem.h"

#include <limits>

namespace {

// The lines must name this set: its pieces in order, then the file they make.
bool RecordNamesThisSet(const std::vector<CChecksumLine>& lines, const CPieceName& first,
                        const std::string& wholeName)
{
    if (lines.size() < 2 || lines.size() > static_cast<std::size_t>(kMaxPieces) + 1)
        return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = i + 1 == lines.size() ? wholeName
            : i == 0 ? first.Path() : first.PieceName(static_cast<int>(i + 1));
        if (!SameFileName(lines[i].strName, CPieceName(name).FileName()))
            return false;
    }
    return true;
}

// A chosen record is read before anything else: it names piece 001.
std::optional<CJobOutcome> ReadChosenRecord(JobKind kind, const std::string& recordPath, CFoundSet& found,
                                            std::string& firstPath)
{
    found.strRecordName = recordPath;
    if (auto refusal = CheckJobFiles(kind, {recordPath}, {}))
        return refusal;
    const RecordState state = ReadChecksumRecord(recordPath, found.record, SetOpenFlags(kind));
    if (state == RecordState::Missing) {
        // Only for the system's cause: nothing of that name is there to be opened.
        CFile probe;
        probe.Open(recordPath, SetOpenFlags(kind));
        return CJobOutcome::Failed(kind, JobReason::ReadSource, recordPath, probe.GetOpenError());
    }
    const CJobOutcome bad = CJobOutcome::Refused(kind, JobReason::RecordBad, recordPath);
    if (state == RecordState::Bad)
        return bad;
    // A listed name holding a folder part would lead out of the record's folder; the
    // names check below refuses it, as it is no piece name of this one.
    firstPath = CPieceName(recordPath).Folder() + found.record.front().strName;
    const CPieceName first(firstPath);
    if (first.CheckFirstPiece() != PieceNameFault::None ||
        !RecordNamesThisSet(found.record, first, first.MergedName()))
        return bad;
    return std::nullopt;
}

} // namespace

unsigned SetOpenFlags(JobKind kind)
{
    return kind == JobKind::Verify ? CFile::modeRead | CFile::shareDenyWrite : CFile::modeRead;
}

std::optional<CJobOutcome> FindSet(JobKind kind, const std::string& chosenPath, CFoundSet& found,
                                   const std::string& targetDir)
{
    const bool bRecordChosen = kind == JobKind::Verify && IsChecksumRecordName(chosenPath);
    std::string firstPath = chosenPath;
    if (bRecordChosen) {
        if (auto refusal = ReadChosenRecord(kind, chosenPath, found, firstPath))
            return refusal;
    }
    const CPieceName first(firstPath);
    // Starting from a later piece would silently leave out the start of the file.
    if (first.CheckFirstPiece() != PieceNameFault::None)
        return CJobOutcome::Refused(kind, JobReason::NotFirstPiece, firstPath);
    found.strWholeName = PlaceInTarget(targetDir, first.MergedName());
    std::vector<std::string> writes;
    if (kind == JobKind::Merge)
        writes.push_back(found.strWholeName);
    // A device name is refused as such before its record's name is looked at.
    if (auto refusal = CheckJobFiles(kind, {}, writes))
        return refusal;

    const unsigned nOpenFlags = SetOpenFlags(kind);
    if (!found.firstPiece.Open(firstPath, nOpenFlags)) {
        if (bRecordChosen && !PathExists(firstPath))
            return CJobOutcome::Refused(kind, JobReason::PieceMissingListed, firstPath);
        return CJobOutcome::Failed(kind, JobReason::ReadSource, firstPath, found.firstPiece.GetOpenError());
    }
    if (!bRecordChosen) {
        found.strRecordName = ChecksumRecordName(first.MergedName());
        const RecordState state = ReadChecksumRecord(found.strRecordName, found.record, nOpenFlags);
        if (state == RecordState::Bad ||
            (state == RecordState::Read && !RecordNamesThisSet(found.record, first, found.strWholeName)))
            return CJobOutcome::Refused(kind, JobReason::RecordBad, found.strRecordName);
    }
    const int nListed = static_cast<int>(found.HasRecord() ? found.record.size() - 1 : 0);
    if (auto refusal = CheckPieceSet(kind, firstPath, found.firstPiece.GetLength(), nListed, nOpenFlags, found.set))
        return refusal;
    std::vector<std::string> reads = found.set.names;
    reads.push_back(found.strRecordName);
    return CheckJobFiles(kind, reads, writes);
}

std::optional<CJobOutcome> ReadSet(JobKind kind, CFoundSet& found, CBlockCopy& copy, CFile* pOut)
{
    const std::vector<std::string>& names = found.set.names;
    CFile next;
    for (std::size_t i = 0; i < names.size(); ++i) {
        CFile& piece = i == 0 ? found.firstPiece : next;
        // Found by the check a moment ago; gone now means the set changed under us.
        if (i > 0 && !piece.Open(names[i], SetOpenFlags(kind)))
            return CJobOutcome::Failed(kind, JobReason::ReadSource, names[i], piece.GetOpenError());
        if (pOut != nullptr) {
            copy.Copy(piece, *pOut, std::numeric_limits<std::uint64_t>::max());
        } else {
            // A check writes no file: the progress names the piece it reads.
            copy.BeginFile(names[i]);
            copy.Read(piece, std::numeric_limits<std::uint64_t>::max());
        }
        piece.Close();
        if (copy.IsCancelled())
            return CJobOutcome::Cancelled(kind);
        if (found.HasRecord() && copy.FinishFileHash() != found.record[i].strHash)
            return CJobOutcome::Failed(kind, JobReason::PieceDamaged, names[i]);
    }
    if (found.HasRecord() && copy.FinishJobHash() != found.record.back().strHash)
        return CJobOutcome::Failed(kind, JobReason::WholeMismatch);
    return std::nullopt;
}
