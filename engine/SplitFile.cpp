#include "engine/SplitFile.h"

#include "engine/BlockCopy.h"
#include "engine/ChecksumRecord.h"
#include "engine/JobCancel.h"
#include "engine/JobTexts.h"
#include "engine/PieceNames.h"
#include "engine/TargetCheck.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"

#include <cstdint>
#include <vector>

bool g_bSplitOk = false;

JobResult SplitFile(IMessageOwner* owner, std::string sourcePath, int pieceSizeK, IJobProgress* pProgress,
                    bool bChecksums)
{
    // Cleared first, so an error escaping mid-copy never leaves an earlier success.
    g_bSplitOk = false;
    if (pieceSizeK <= 0) {
        owner->MessageBox("程序出现大小错误", kSplitCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const std::uint64_t nPieceSize = static_cast<std::uint64_t>(pieceSizeK) * 1000;

    // A device opens like an empty file; it is refused by name before that.
    if (!CheckJobFiles(owner, kSplitCaption, {sourcePath}, {}))
        return JobResult::Failed;
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead)) {
        owner->MessageBox(kReadSourceError, kSplitCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const std::uint64_t nLength = source.GetLength();
    if (nLength <= nPieceSize) {
        owner->MessageBox("没必要分割该文件", "Kavrel：没必要呀！", BOX_ICONINFORMATION);
        return JobResult::Failed;
    }
    // An exact multiple still gets its empty last piece, so a merge finds the end.
    const std::uint64_t nCount = nLength / nPieceSize + 1;
    if (nCount > static_cast<std::uint64_t>(kMaxPieces)) {
        owner->MessageBox("文件太大了，分割后会超过999个文件，无法分割", kSplitCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    std::vector<std::string> names = {MakeFirstPieceName(sourcePath)};
    for (std::uint64_t i = 1; i < nCount; ++i)
        names.push_back(MakeNextPieceName(names.back(), static_cast<int>(i)));
    if (!CheckJobFiles(owner, kSplitCaption, {sourcePath}, names))
        return JobResult::Failed;
    CBlockCopy copy(pProgress, nLength);
    if (!copy.Allocate(bChecksums)) {
        owner->MessageBox(kNoMemory, nullptr, BOX_OK);
        return JobResult::Failed;
    }
    // A record of an earlier split would claim a whole set while this one is unfinished.
    const std::string recordName = ChecksumRecordName(sourcePath);
    RemoveFile(recordName);
    std::vector<CChecksumLine> record;

    std::vector<std::string> written;
    for (std::uint64_t i = 0; i < nCount; ++i) {
        const std::string& name = names[i];
        CFile piece;
        if (!piece.Open(name, CFile::modeCreate | CFile::modeWrite)) {
            owner->MessageBox(kCreateFileError, kSplitCaption, BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
        written.push_back(name);
        copy.BeginFile(name);
        const std::uint64_t nWanted = nLength - i * nPieceSize < nPieceSize ? nLength - i * nPieceSize : nPieceSize;
        const std::uint64_t nCopied = copy.Copy(source, piece, nWanted);
        piece.Close();
        if (copy.IsCancelled())
            return CancelJob(owner, kSplitCaption, written);
        // The source shrank under us: what is missing cannot be a success.
        if (nCopied < nWanted) {
            owner->MessageBox(kReadSourceError, kSplitCaption, BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
        if (bChecksums)
            record.push_back({copy.FinishFileHash(), name.substr(FindFileNameStart(name))});
    }
    source.Close();
    if (bChecksums) {
        record.push_back({copy.FinishJobHash(), sourcePath.substr(FindFileNameStart(sourcePath))});
        if (!WriteChecksumRecord(recordName, record)) {
            owner->MessageBox(AfxFormat("无法写入校验文件%s", recordName.c_str()).c_str(), kSplitCaption,
                              BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
    }
    g_bSplitOk = true;
    return JobResult::Done;
}
