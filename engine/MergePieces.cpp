#include "engine/MergePieces.h"

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/JobCancel.h"
#include "engine/JobTexts.h"
#include "engine/PieceNames.h"
#include "engine/PartialFile.h"
#include "engine/PieceSet.h"
#include "engine/TargetCheck.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"

#include <cstdint>
#include <limits>

bool g_bMergeOk = false;

namespace {

// A selected piece that carries a number must be piece 001: merging from a later one
// would silently leave out the start of the file.
bool IsNamedAsFirstPiece(const std::string& name)
{
    if (!HasPieceNumber(name))
        return false;
    std::size_t a = FindNameAnchor(name);
    std::string digits = name.substr(a - 3, 3);
    for (char c : digits) {
        if (c < '0' || c > '9')
            return true;
    }
    return digits == "001";
}

// With a record, its lines must name this set: its pieces in order, then the file
// the merge writes.
bool RecordNamesThisSet(const std::vector<CChecksumLine>& lines, const std::string& selectedPath,
                        const std::string& outName)
{
    if (lines.size() < 2 || lines.size() > static_cast<std::size_t>(kMaxPieces) + 1)
        return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = i + 1 == lines.size() ? outName
            : i == 0 ? selectedPath : MakeNextPieceName(selectedPath, static_cast<int>(i));
        if (!SameFileName(lines[i].strName, name.substr(FindFileNameStart(name))))
            return false;
    }
    return true;
}

} // namespace

JobResult MergePieces(IMessageOwner* owner, std::string selectedPath, IJobProgress* pProgress)
{
    g_bMergeOk = false;
    if (!IsNamedAsFirstPiece(selectedPath)) {
        owner->MessageBox("文件名好象有误请检查!", kCheckCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const std::string outName = MakeMergedName(selectedPath);

    CFile piece;
    if (!piece.Open(selectedPath, CFile::modeRead)) {
        owner->MessageBox(kReadSourceError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const std::string recordName = ChecksumRecordName(outName);
    std::vector<CChecksumLine> record;
    const RecordState recordState = ReadChecksumRecord(recordName, record);
    if (recordState == RecordState::Bad ||
        (recordState == RecordState::Read && !RecordNamesThisSet(record, selectedPath, outName))) {
        owner->MessageBox(AfxFormat("校验文件%s有误,无法核对\n删掉它就可以不经核对直接合并", recordName.c_str()).c_str(),
                          kCheckCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const int nListed = static_cast<int>(record.empty() ? 0 : record.size() - 1);
    CPieceSet set;
    if (!CheckPieceSet(owner, selectedPath, piece.GetLength(), nListed, set) ||
        !CheckJobFiles(owner, kCheckCaption, set.names, {outName}))
        return JobResult::Failed;

    CBlockCopy copy(pProgress, set.nTotalBytes);
    if (!copy.Allocate(nListed > 0)) {
        owner->MessageBox(kNoMemory, nullptr, BOX_OK);
        return JobResult::Failed;
    }
    // A name taken by what the finished file could not replace (a folder, a file
    // someone holds open) is refused now rather than after the whole copy.
    CFile existing;
    CPartialFile out;
    if ((PathExists(outName) && !existing.Open(outName, CFile::modeRead)) || !out.Create(outName)) {
        owner->MessageBox(kCreateFileError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    copy.BeginFile(outName);
    for (std::size_t i = 0; i < set.names.size(); ++i) {
        // Found by the check a moment ago; gone now means the set changed under us.
        if (i > 0 && !piece.Open(set.names[i], CFile::modeRead)) {
            owner->MessageBox(kReadSourceError, kMergeCaption, BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
        copy.Copy(piece, out.File(), std::numeric_limits<std::uint64_t>::max());
        piece.Close();
        if (copy.IsCancelled()) {
            out.Discard();
            return CancelJob(owner, kMergeCaption, {});
        }
        if (nListed > 0 && copy.FinishFileHash() != record[i].strHash) {
            out.Discard();
            owner->MessageBox(AfxFormat("文件%s已经损坏,和校验文件不符\n请重新复制这个文件!", set.names[i].c_str()).c_str(),
                              kMergeCaption, BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
    }
    if (nListed > 0 && copy.FinishJobHash() != record.back().strHash) {
        out.Discard();
        owner->MessageBox("合并好的文件和校验文件不符\n请检查分割好的文件!", kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    existing.Close();
    if (!out.Commit()) {
        owner->MessageBox(kCreateFileError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    g_bMergeOk = true;
    return JobResult::Done;
}
