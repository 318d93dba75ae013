#include "app/OutcomeBox.h"

#include "app/SizeChoice.h"
#include "engine/SizeLimits.h"

#include <utility>

namespace {

// A merge's checks before it writes have a caption of their own; a split's do not.
const char kMergeCheckCaption[] = "Kavrel合并前的检查...";
const char kDoneCaption[] = "Kavrel：完成了！";

COutcomeBox Warn(CString strText, const char* pszCaption)
{
    return {std::move(strText), pszCaption, kBoxExclamation};
}

// "4,294,000,000": byte counts of ten digits are read at a glance only so.
CString GroupDigits(std::uint64_t n)
{
    CString strDigits = AfxFormat("%llu", static_cast<unsigned long long>(n));
    for (std::size_t i = strDigits.size(); i > 3; i -= 3)
        strDigits.insert(i - 3, ",");
    return strDigits;
}

// The piece limit's text, with the smallest size in MB that would do where one would.
CString TooManyPiecesText(std::uint64_t nLength)
{
    const CString strLimit = "文件太大了，分割后会超过999个文件，无法分割";
    const std::uint64_t nSizeMB = WholeMBAtLeast(SmallestPieceSize(nLength));
    if (nLength == 0 || nSizeMB > static_cast<std::uint64_t>(kMaxFieldSizeMB))
        return strLimit;
    return strLimit + AfxFormat("\n请选择更大的分割大小，至少%lluMB（可以在\"其他\"里填写）",
                                static_cast<unsigned long long>(nSizeMB));
}

} // namespace

COutcomeBox MakeOutcomeBox(const CJobOutcome& o)
{
    const bool bSplit = o.kind == JobKind::Split;
    const bool bVerify = o.kind == JobKind::Verify;
    const char* pszJob = JobCaption(o.kind);
    // A check's boxes about the set are the merge's, under the check's own caption.
    const char* pszCheck = bSplit || bVerify ? pszJob : kMergeCheckCaption;
    const char* pszFile = o.strFile.c_str();
    switch (o.reason) {
    case JobReason::Finished:
        if (bSplit)
            return {AfxFormat("分割完毕!!\n分割好的文件是%s\n等等类似的名称的就是了", pszFile), kDoneCaption,
                    kBoxInformation};
        if (bVerify)
            return {AfxFormat("校验完成\n%d个分割好的文件和校验文件%s完全相符", o.nPieces, pszFile), kDoneCaption,
                    kBoxInformation};
        return {AfxFormat("合并完成\n请检查:%s", pszFile), kDoneCaption, kBoxInformation};
    case JobReason::CheckedWithoutRecord:
        return Warn(AfxFormat("没有找到校验文件%s\n只核对了%d个分割好的文件的名称和大小,\n无法核对文件的内容是否完好!",
                              pszFile, o.nPieces),
                    pszJob);
    case JobReason::Cancelled:
        if (bVerify)
            return {"已经取消了!", pszJob, kBoxInformation};
        return {"已经取消了!\n没有完成的文件都已删除", pszJob, kBoxInformation};
    case JobReason::SizeError:
        return Warn("程序出现大小错误", pszJob);
    case JobReason::NotWorthSplitting:
        return {"没必要分割该文件", "Kavrel：没必要呀！", kBoxInformation};
    case JobReason::TooManyPieces:
        return Warn(TooManyPiecesText(o.nBytes), pszJob);
    case JobReason::RecordUnwritable:
        return Warn(AfxFormat("无法写入校验文件%s", pszFile), pszJob);
    case JobReason::FileTooLongForVolume:
        return Warn(AfxFormat("合并好的文件%s\n会有%s字节，但它所在的磁盘是%s格式，\n单个文件不能达到4GB(4,294,967,296字节)，无法合并!\n"
                              "请在\"保存到\"里选择NTFS或exFAT格式的磁盘上的文件夹",
                              pszFile, GroupDigits(o.nBytes).c_str(), o.strOtherFile.c_str()),
                    pszCheck);
    case JobReason::PieceTooLongForVolume:
        return Warn(AfxFormat("分割好的文件%s\n每个会有%s字节，但它所在的磁盘是%s格式，\n单个文件不能达到4GB(4,294,967,296字节)，无法分割!\n"
                              "请选择4294MB或更小的分割大小（可以在\"其他\"里填写），\n"
                              "或在\"保存到\"里选择NTFS或exFAT格式的磁盘上的文件夹",
                              pszFile, GroupDigits(o.nBytes).c_str(), o.strOtherFile.c_str()),
                    pszJob);
    case JobReason::NotFirstPiece:
        return Warn("文件名好象有误请检查!", pszCheck);
    case JobReason::RecordBad:
        if (bVerify)
            return Warn(AfxFormat("校验文件%s有误,无法核对", pszFile), pszCheck);
        return Warn(AfxFormat("校验文件%s有误,无法核对\n删掉它就可以不经核对直接合并", pszFile), pszCheck);
    case JobReason::PieceMissingListed:
    case JobReason::SetIncomplete:
        return Warn(AfxFormat("缺少文件%s\n分割好的文件不完整,请检查!", pszFile), pszCheck);
    case JobReason::PieceMissingBeforeLater:
        return Warn(AfxFormat("缺少文件%s\n但它后面还有分割好的文件,请检查!", pszFile), pszCheck);
    case JobReason::PieceShorter:
        return Warn(AfxFormat("文件%s比第一个文件小\n不是完整的分割文件,请检查!", pszFile), pszCheck);
    case JobReason::PieceLonger:
        return Warn(AfxFormat("文件%s比第一个文件大\n不是完整的分割文件,请检查!", pszFile), pszCheck);
    case JobReason::ReplaceUnchecked:
        return {AfxFormat("文件%s已经存在\n分割好的文件没有校验文件,无法核对\n要用合并好的文件替换它吗?", pszFile),
                pszCheck, kBoxExclamation | kBoxYesNo | kBoxDefaultSecond};
    case JobReason::PieceUnreadable:
        return Warn(AfxFormat("无法读取文件%s\n它可能正被别的程序使用,请检查!", pszFile), pszCheck);
    case JobReason::PieceDamaged:
        return Warn(AfxFormat("文件%s已经损坏,和校验文件不符\n请重新复制这个文件!", pszFile), pszJob);
    case JobReason::WholeMismatch:
        if (bVerify)
            return Warn("每个分割好的文件都和校验文件相符,\n但合起来的整个文件和校验文件不符\n校验文件可能被改过,请检查!",
                        pszJob);
        return Warn("合并好的文件和校验文件不符\n请检查分割好的文件!", pszJob);
    case JobReason::ReadSource:
        return Warn("读取原文件错误", pszJob);
    case JobReason::CreateFile:
        return Warn("创建新文件错误", pszJob);
    case JobReason::NoMemory:
        return {"wrong to new!", nullptr, kBoxPlain};
    case JobReason::DeviceName:
        return Warn(AfxFormat("%s\n是设备的名称,不能当作文件用,请检查!", pszFile), pszCheck);
    case JobReason::NoRoom:
        return Warn(AfxFormat("磁盘空间不够了!\n%s需要写入%s字节，\n但%s所在的磁盘只剩%s字节\n请先腾出空间再试!",
                              bSplit ? "分割" : "合并", GroupDigits(o.nBytes).c_str(), pszFile,
                              GroupDigits(o.nFreeBytes).c_str()),
                    pszCheck);
    case JobReason::TargetNotAbsolute:
        return Warn(AfxFormat("\"保存到\"里的%s\n不是完整的路径,请写上盘符,例如D:\\优盘", pszFile), pszCheck);
    case JobReason::TargetMissing:
        return Warn(AfxFormat("文件夹%s\n不存在,请检查\"保存到\"!", pszFile), pszCheck);
    case JobReason::TargetNotFolder:
        return Warn(AfxFormat("%s\n不是文件夹,请检查\"保存到\"!", pszFile), pszCheck);
    case JobReason::TargetUnwritable:
        return Warn(AfxFormat("无法在文件夹%s里写入文件\n它可能是只读的,请检查\"保存到\"!", pszFile), pszCheck);
    case JobReason::SameFile:
        return Warn(AfxFormat("%s\n和%s\n是同一个文件(链接),写入会毁掉它,请检查!", pszFile, o.strOtherFile.c_str()),
                    pszCheck);
    }
    // Every reason has its box above; -Wswitch names one that is added without.
    return Warn("", pszJob);
}

const char* JobCaption(JobKind kind)
{
    switch (kind) {
    case JobKind::Split:
        return "Kavrel分割中....";
    case JobKind::Merge:
        return "Kavrel合并中....";
    case JobKind::Verify:
        return "Kavrel校验中....";
    }
    return "";
}
