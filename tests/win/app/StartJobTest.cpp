// Jobs started from the dialog on real files: a split and a merge through the
// file-open dialog and Start, the size choice, and a file error in the middle of a
// job. A job's box comes once its progress dialog has gone.
#include "tests/win/app/MainDialogSession.h"

#include "framework/portable/FileSystem.h"
#include "framework/portable/Utf16.h"
#include "engine/SplitFile.h"
#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::size_t kPiece = 32000000;

}  // namespace

// A name outside every ANSI code page: Korean, and an emoji whose UTF-16 is a
// surrogate pair. Every box names the pieces whole.
TEST(StartJob, SplitsAndMergesARealFileChosenInTheFileOpenDialog)
{
    CTempDir dir;
    const std::string strSource = dir.Path("한국어 photo😀.avi");
    const std::string strFirst = dir.Path("한국어 photo😀_001.avi");
    const std::string bytes = MakeBytes(kPiece + 1, 7);
    WriteBytes(strSource, bytes);
    const HCURSOR hWait = ::LoadCursorA(nullptr, IDC_WAIT);

    MainDialogSession s;
    bool bWaitCursorShown = false;
    int nBoxesOverProgress = 0;
    s.boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) {
        bWaitCursorShown = ::GetCursor() == hWait;
        nBoxesOverProgress += s.ProgressDialogExists();
    };
    s.Run([&] {
        // No size chosen: browsing alone enables Start, which warns and splits into
        // 32,000,000-byte pieces.
        s.Click(IDC_MODE_SPLIT);
        s.Browse(strSource.c_str());
        ASSERT_TRUE(s.Enabled(IDOK));
        s.Click(IDOK);

        auto boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, "你必须先选择分割大小，也就是你的优盘的大小");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(boxes[1].text, "分割完毕!!\n分割好的文件是" + strFirst + "\n等等类似的名称的就是了");
        EXPECT_EQ(boxes[1].caption, "Kavrel：完成了！");
        EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_ICONINFORMATION));
        for (const auto& box : boxes)
            EXPECT_EQ(box.hOwner, s.Dialog());
        EXPECT_TRUE(bWaitCursorShown);
        EXPECT_EQ(ReadBytes(strFirst), bytes.substr(0, kPiece));
        EXPECT_EQ(ReadBytes(dir.Path("한국어 photo😀_002.avi")), bytes.substr(kPiece));
        EXPECT_FALSE(FileExists(dir.Path("한국어 photo😀_003.avi")));

        ASSERT_TRUE(::DeleteFileW(Widen(strSource).c_str()));
        s.Click(IDC_MODE_MERGE);
        s.Browse(strFirst.c_str());
        s.Click(IDOK);
        boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[2].text, "合并完成\n请检查:" + strSource);
        EXPECT_EQ(boxes[2].caption, "Kavrel：完成了！");
        EXPECT_EQ(boxes[2].hOwner, s.Dialog());
        EXPECT_TRUE(ReadBytes(strSource) == bytes) << "the merged file differs from the source";
        EXPECT_EQ(nBoxesOverProgress, 0);
    });
}

// A set checked where it lies, from piece 001: whole, then with a piece damaged on
// the way, which the check names in the merge's words. The folder keeps what it held.
TEST(StartJob, ChecksASetAndNamesADamagedPieceAsTheMergeDoes)
{
    CTempDir dir;
    const std::string strSource = dir.Path("한국어 v.bin");
    const std::string strSecond = dir.Path("한국어 v_002.bin");
    WriteBytes(strSource, MakeBytes(2500, 3));
    ASSERT_TRUE(SplitFile(strSource, 1000).IsDone());
    ASSERT_TRUE(::DeleteFileW(Widen(strSource).c_str()));
    const CString strDamaged = "文件" + strSecond + "已经损坏,和校验文件不符\n请重新复制这个文件!";

    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_VERIFY);
        s.Browse(dir.Path("한국어 v_001.bin").c_str());
        s.Click(IDOK);
        auto boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "校验完成\n3个分割好的文件和校验文件" + strSource + ".sha256完全相符");
        EXPECT_EQ(boxes[0].caption, "Kavrel：完成了！");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(boxes[0].hOwner, s.Dialog());

        std::string bytes = ReadBytes(strSecond);
        bytes[500] ^= 1;
        WriteBytes(strSecond, bytes);
        s.Click(IDOK);
        s.Click(IDC_MODE_MERGE);
        s.Click(IDOK);
        boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[1].text, strDamaged);
        EXPECT_EQ(boxes[1].caption, "Kavrel校验中....");
        EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(boxes[2].text, strDamaged);
        EXPECT_EQ(boxes[2].caption, "Kavrel合并中....");
        EXPECT_EQ(dir.Count(), 4u) << "the three pieces and their record";
        EXPECT_EQ(ReadBytes(strSecond), bytes);
    });
}

// Pieces without a record cannot prove a merge right, and the file of the merged
// name may be the intact original: the merge asks first, No the default. No leaves
// the file; Yes runs the merge again, which replaces it.
TEST(StartJob, MergeWithoutARecordAsksBeforeReplacing)
{
    CTempDir dir;
    const std::string strMerged = dir.Path("m.bin");
    const std::string strFirst = dir.Path("m_001.bin");
    const std::string first = MakeBytes(1000, 1);
    const std::string last = MakeBytes(10, 2);
    WriteBytes(strFirst, first);
    WriteBytes(dir.Path("m_002.bin"), last);
    WriteBytes(strMerged, "original");
    const CString strAsk = "文件" + strMerged + "已经存在\n分割好的文件没有校验文件,无法核对\n要用合并好的文件替换它吗?";
    const UINT nAskType = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;

    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_MERGE);
        s.Browse(strFirst.c_str());
        s.boxes.SetAnswer(IDNO);
        s.Click(IDOK);
        auto boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, strAsk);
        EXPECT_EQ(boxes[0].caption, "Kavrel合并前的检查...");
        EXPECT_EQ(boxes[0].type, nAskType);
        EXPECT_EQ(boxes[0].hOwner, s.Dialog());
        EXPECT_EQ(ReadBytes(strMerged), "original");

        s.boxes.SetAnswer(IDYES);
        s.Click(IDOK);
        boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[1].text, strAsk);
        EXPECT_EQ(boxes[1].type, nAskType);
        EXPECT_EQ(boxes[2].text, "合并完成\n请检查:" + strMerged);
        EXPECT_EQ(ReadBytes(strMerged), first + last);
    });
}

// Run in a ctest entry of its own under a file size limit, with its source made
// there: a split of data.bin runs out of room in piece 001, like a full flash drive.
// The error reaches the generic report, and nothing of the split is left.
TEST(StartJob, FileErrorDuringAJobIsShownByTheGenericReport)
{
    if (::GetEnvironmentVariableW(L"TOSVIK_WRITE_LIMIT", nullptr, 0) == 0)
        GTEST_SKIP() << "runs under a file size limit, as ctest's app_write_error_tests";
    const CString strDir = WinePath(TOSVIK_WRITE_ERROR_DIR);
    const std::string strSource = strDir + "\\data.bin";
    const auto countFiles = [&] {
        std::size_t n = 0;
        for (const std::string& name : ListFolder(strDir))
            n += name != "." && name != "..";
        return n;
    };
    ASSERT_EQ(countFiles(), 1u) << "the source alone";

    MainDialogSession s;
    bool bReportOverProgress = false;
    s.boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) { bReportOverProgress = s.ProgressDialogExists(); };
    s.Run([&] {
        s.Click(IDC_MODE_SPLIT);
        s.Click(IDC_SIZE_32MB);
        s.Browse(strSource.c_str());
        s.Click(IDOK);

        const auto& boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u) << "no completion box after a failed job";
        EXPECT_FALSE(bReportOverProgress);
        EXPECT_EQ(boxes[0].hOwner, s.Dialog());
        EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
        EXPECT_NE(boxes[0].text.find("data_001.bin"), CString::npos) << boxes[0].text;
        EXPECT_EQ(countFiles(), 1u) << "pieces left behind";
        // The dialog is still there for the next job.
        EXPECT_TRUE(s.Enabled(IDOK));
        EXPECT_TRUE(::IsWindowEnabled(s.Dialog()));
    });
    ::DeleteFileW(Widen(strSource).c_str());
}

// The size choice becomes the piece size: a file one byte longer than 32 MB splits
// in two with 32MB and is no larger than one piece with 64MB.
TEST(StartJob, TheSizeChoiceSetsThePieceSize)
{
    CTempDir dir;
    const std::string strSource = dir.Path("s.bin");
    WriteSparse(strSource, kPiece + 1, "head", "tail");
    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_SPLIT);
        s.SetPathText(strSource);
        s.Click(IDC_SIZE_64MB);
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        EXPECT_EQ(s.boxes.Boxes()[0].text, "没必要分割该文件");
        EXPECT_EQ(s.boxes.Boxes()[0].caption, "Kavrel：没必要呀！");
        EXPECT_EQ(s.boxes.Boxes()[0].type, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(s.Form().m_nPieceSizeK, 64000);
        EXPECT_EQ(dir.Count(), 1u);

        s.Click(IDC_SIZE_32MB);
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 2u);
        EXPECT_EQ(s.boxes.Boxes()[1].caption, "Kavrel：完成了！");
        EXPECT_EQ(s.Form().m_nPieceSizeK, 32000);
        EXPECT_EQ(ReadBytes(dir.Path("s_002.bin")), "l");
        EXPECT_EQ(dir.Count(), 4u) << "the source, two pieces and their record";
    });
}
