// Every outcome a job can end with, in the words, caption and icon the user sees.
#include "app/OutcomeBox.h"

#include <gtest/gtest.h>

namespace {

const char kSplitting[] = "Kavrel分割中....";
const char kMerging[] = "Kavrel合并中....";
const char kChecking[] = "Kavrel合并前的检查...";
const char kVerifying[] = "Kavrel校验中....";
const char kDone[] = "Kavrel：完成了！";
const unsigned kWarn = 48;
const unsigned kInfo = 64;

CJobOutcome WithPieces(CJobOutcome outcome, int nPieces)
{
    outcome.nPieces = nPieces;
    return outcome;
}

CJobOutcome WithBytes(CJobOutcome outcome, std::uint64_t nBytes, std::uint64_t nFreeBytes = 0)
{
    outcome.nBytes = nBytes;
    outcome.nFreeBytes = nFreeBytes;
    return outcome;
}

TEST(OutcomeBox, EveryOutcomeInTheUsersWords)
{
    const JobKind S = JobKind::Split;
    const JobKind M = JobKind::Merge;
    const JobKind V = JobKind::Verify;
    const struct {
        CJobOutcome outcome;
        const char* text;
        const char* caption;   // null: the application's title
        unsigned type;
    } rows[] = {
        {CJobOutcome::Done(S, "C:\\d\\a_001.b.c"), "分割完毕!!\n分割好的文件是C:\\d\\a_001.b.c\n等等类似的名称的就是了",
         kDone, kInfo},
        {CJobOutcome::Done(M, "D:\\t\\movie.avi"), "合并完成\n请检查:D:\\t\\movie.avi", kDone, kInfo},
        {CJobOutcome::Cancelled(S), "已经取消了!\n没有完成的文件都已删除", kSplitting, kInfo},
        {CJobOutcome::Cancelled(M), "已经取消了!\n没有完成的文件都已删除", kMerging, kInfo},
        {CJobOutcome::Refused(S, JobReason::SizeError), "程序出现大小错误", kSplitting, kWarn},
        {CJobOutcome::Refused(S, JobReason::NotWorthSplitting), "没必要分割该文件", "Kavrel：没必要呀！", kInfo},
        {CJobOutcome::Refused(S, JobReason::TooManyPieces), "文件太大了，分割后会超过999个文件，无法分割", kSplitting, kWarn},
        {CJobOutcome::Failed(S, JobReason::RecordUnwritable, "C:\\a.b.sha256", 5), "无法写入校验文件C:\\a.b.sha256",
         kSplitting, kWarn},
        {CJobOutcome::Refused(M, JobReason::NotFirstPiece, "C:\\m_002.avi"), "文件名好象有误请检查!", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::RecordBad, "C:\\m.avi.sha256"),
         "校验文件C:\\m.avi.sha256有误,无法核对\n删掉它就可以不经核对直接合并", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::PieceMissingListed, "C:\\m_003.avi"),
         "缺少文件C:\\m_003.avi\n分割好的文件不完整,请检查!", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::SetIncomplete, "C:\\m_004.avi"),
         "缺少文件C:\\m_004.avi\n分割好的文件不完整,请检查!", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::PieceMissingBeforeLater, "C:\\m_002.avi"),
         "缺少文件C:\\m_002.avi\n但它后面还有分割好的文件,请检查!", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::PieceShorter, "C:\\m_002.avi"),
         "文件C:\\m_002.avi比第一个文件小\n不是完整的分割文件,请检查!", kChecking, kWarn},
        {CJobOutcome::Refused(M, JobReason::PieceLonger, "C:\\m_002.avi"),
         "文件C:\\m_002.avi比第一个文件大\n不是完整的分割文件,请检查!", kChecking, kWarn},
        // Yes and No, No the default.
        {CJobOutcome::Asks(M, JobReason::ReplaceUnchecked, "C:\\m.avi"),
         "文件C:\\m.avi已经存在\n分割好的文件没有校验文件,无法核对\n要用合并好的文件替换它吗?", kChecking,
         kWarn | 0x04 | 0x100},
        {CJobOutcome::Refused(M, JobReason::PieceUnreadable, "C:\\m_003.avi"),
         "无法读取文件C:\\m_003.avi\n它可能正被别的程序使用,请检查!", kChecking, kWarn},
        {CJobOutcome::Failed(M, JobReason::PieceDamaged, "C:\\m_002.avi"),
         "文件C:\\m_002.avi已经损坏,和校验文件不符\n请重新复制这个文件!", kMerging, kWarn},
        {CJobOutcome::Failed(M, JobReason::WholeMismatch), "合并好的文件和校验文件不符\n请检查分割好的文件!", kMerging, kWarn},
        {CJobOutcome::Failed(S, JobReason::ReadSource, "C:\\a.b", 2), "读取原文件错误", kSplitting, kWarn},
        {CJobOutcome::Failed(M, JobReason::ReadSource, "C:\\m_001.avi", 32), "读取原文件错误", kMerging, kWarn},
        {CJobOutcome::Failed(S, JobReason::CreateFile, "C:\\a_002.b", 5), "创建新文件错误", kSplitting, kWarn},
        {CJobOutcome::Failed(M, JobReason::CreateFile, "C:\\m.avi", 5), "创建新文件错误", kMerging, kWarn},
        {CJobOutcome::Failed(S, JobReason::NoMemory), "wrong to new!", nullptr, 0},
        {CJobOutcome::Failed(M, JobReason::NoMemory), "wrong to new!", nullptr, 0},
        {CJobOutcome::Refused(S, JobReason::DeviceName, "C:\\nul.bin"), "C:\\nul.bin\n是设备的名称,不能当作文件用,请检查!",
         kSplitting, kWarn},
        {CJobOutcome::Refused(M, JobReason::DeviceName, "C:\\con.bin"), "C:\\con.bin\n是设备的名称,不能当作文件用,请检查!",
         kChecking, kWarn},
        {CJobOutcome::Refused(S, JobReason::SameFile, "C:\\s_003.bin", "C:\\s.bin"),
         "C:\\s_003.bin\n和C:\\s.bin\n是同一个文件(链接),写入会毁掉它,请检查!", kSplitting, kWarn},
        {CJobOutcome::Refused(M, JobReason::SameFile, "C:\\s.bin", "C:\\s_002.bin"),
         "C:\\s.bin\n和C:\\s_002.bin\n是同一个文件(链接),写入会毁掉它,请检查!", kChecking, kWarn},
        // Our refusals about sizes, with their figures; the piece limit suggests the
        // smallest size in MB that would do, while the field can take it.
        {WithBytes(CJobOutcome::Refused(JobKind::Split, JobReason::NoRoom, "E:\\m_001.avi"), 4294000381u, 123456),
         "磁盘空间不够了!\n分割需要写入4,294,000,381字节，\n但E:\\m_001.avi所在的磁盘只剩123,456字节\n请先腾出空间再试!",
         kSplitting, kWarn},
        {WithBytes(CJobOutcome::Refused(JobKind::Merge, JobReason::FileTooLongForVolume, "E:\\m.avi", "FAT32"),
                   4294967296u),
         "合并好的文件E:\\m.avi\n会有4,294,967,296字节，但它所在的磁盘是FAT32格式，\n"
         "单个文件不能达到4GB(4,294,967,296字节)，无法合并!\n请在\"保存到\"里选择NTFS或exFAT格式的磁盘上的文件夹",
         kChecking, kWarn},
        {WithBytes(CJobOutcome::Refused(S, JobReason::PieceTooLongForVolume, "F:\\m_001.avi", "FAT32"), 4294967296u),
         "分割好的文件F:\\m_001.avi\n每个会有4,294,967,296字节，但它所在的磁盘是FAT32格式，\n"
         "单个文件不能达到4GB(4,294,967,296字节)，无法分割!\n请选择4294MB或更小的分割大小（可以在\"其他\"里填写），\n"
         "或在\"保存到\"里选择NTFS或exFAT格式的磁盘上的文件夹",
         kSplitting, kWarn},
        // The chosen folder, refused by name, with the check caption of a merge.
        {CJobOutcome::Refused(M, JobReason::TargetNotAbsolute, "stick"),
         "\"保存到\"里的stick\n不是完整的路径,请写上盘符,例如D:\\优盘", kChecking, kWarn},
        {CJobOutcome::Refused(S, JobReason::TargetMissing, "F:\\新"), "文件夹F:\\新\n不存在,请检查\"保存到\"!",
         kSplitting, kWarn},
        {CJobOutcome::Refused(M, JobReason::TargetNotFolder, "F:\\a.txt"), "F:\\a.txt\n不是文件夹,请检查\"保存到\"!",
         kChecking, kWarn},
        {CJobOutcome::Refused(S, JobReason::TargetUnwritable, "G:\\"),
         "无法在文件夹G:\\里写入文件\n它可能是只读的,请检查\"保存到\"!", kSplitting, kWarn},
        // 64 GB needs pieces of 64,064,065 bytes.
        {WithBytes(CJobOutcome::Refused(JobKind::Split, JobReason::TooManyPieces), 64000000000u),
         "文件太大了，分割后会超过999个文件，无法分割\n请选择更大的分割大小，至少65MB（可以在\"其他\"里填写）", kSplitting, kWarn},
        {WithBytes(CJobOutcome::Refused(JobKind::Split, JobReason::TooManyPieces), 999999000000000u),
         "文件太大了，分割后会超过999个文件，无法分割", kSplitting, kWarn},
        // A check of a set: the merge's boxes about the set, under the check's caption;
        // its own words for a whole set, one without a record and a record edited by hand.
        {WithPieces(CJobOutcome::Done(V, "E:\\m.avi.sha256"), 12),
         "校验完成\n12个分割好的文件和校验文件E:\\m.avi.sha256完全相符", kDone, kInfo},
        {WithPieces(CJobOutcome{V, JobEnd::Done, JobReason::CheckedWithoutRecord, "E:\\m.avi.sha256", {}, 0}, 3),
         "没有找到校验文件E:\\m.avi.sha256\n只核对了3个分割好的文件的名称和大小,\n无法核对文件的内容是否完好!", kVerifying,
         kWarn},
        {CJobOutcome::Failed(V, JobReason::WholeMismatch),
         "每个分割好的文件都和校验文件相符,\n但合起来的整个文件和校验文件不符\n校验文件可能被改过,请检查!", kVerifying, kWarn},
        {CJobOutcome::Failed(V, JobReason::PieceDamaged, "E:\\m_002.avi"),
         "文件E:\\m_002.avi已经损坏,和校验文件不符\n请重新复制这个文件!", kVerifying, kWarn},
        {CJobOutcome::Refused(V, JobReason::PieceMissingListed, "E:\\m_003.avi"),
         "缺少文件E:\\m_003.avi\n分割好的文件不完整,请检查!", kVerifying, kWarn},
        {CJobOutcome::Refused(V, JobReason::PieceUnreadable, "E:\\m_003.avi"),
         "无法读取文件E:\\m_003.avi\n它可能正被别的程序使用,请检查!", kVerifying, kWarn},
        {CJobOutcome::Refused(V, JobReason::RecordBad, "E:\\m.avi.sha256"), "校验文件E:\\m.avi.sha256有误,无法核对",
         kVerifying, kWarn},
        {CJobOutcome::Cancelled(V), "已经取消了!", kVerifying, kInfo},
        // A name holding '%' is shown as it is, not read as a format.
        {CJobOutcome::Done(M, "C:\\100%s%d.avi"), "合并完成\n请检查:C:\\100%s%d.avi", kDone, kInfo},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const COutcomeBox box = MakeOutcomeBox(row.outcome);
        EXPECT_EQ(box.strText, row.text);
        EXPECT_STREQ(box.pszCaption, row.caption);
        EXPECT_EQ(box.nType, row.type);
    }
}

} // namespace
