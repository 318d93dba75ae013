// Jobs started from the dialog on real files: a split and a merge through the
// file-open dialog and Start, and a file error in the middle of a job.
#include "tests/win/app/MainDialogSession.h"

#include "framework/portable/Utf16.h"
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
    s.boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) { bWaitCursorShown = ::GetCursor() == hWait; };
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
    });
}

// The build links data_001.bin in this folder to /dev/full, which takes no byte: a
// split of data.bin there runs out of room while it writes, like a full flash drive.
TEST(StartJob, FileErrorDuringAJobIsShownByTheGenericReport)
{
    const CString strDir = WinePath(TOSVIK_FULL_DEVICE_DIR);
    const std::string strFirstPiece = strDir + "\\data_001.bin";
    HANDLE hFull = ::CreateFileW(Widen(strFirstPiece).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFull == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no link to a full device in " << strDir << ", error " << ::GetLastError();
    ::CloseHandle(hFull);
    const std::string strSource = strDir + "\\data.bin";
    WriteSparse(strSource, kPiece + 1, "head", "tail");

    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_SPLIT);
        s.Click(IDC_SIZE_32MB);
        s.Browse(strSource.c_str());
        s.Click(IDOK);

        const auto& boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u) << "no completion box after a failed job";
        EXPECT_EQ(boxes[0].hOwner, s.Dialog());
        EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
        EXPECT_NE(boxes[0].text.find("data_001.bin"), CString::npos) << boxes[0].text;
        // The dialog is still there for the next job.
        EXPECT_TRUE(s.Enabled(IDOK));
        EXPECT_TRUE(::IsWindowEnabled(s.Dialog()));
    });
    ::DeleteFileW(Widen(strSource).c_str());
}
