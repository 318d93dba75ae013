#include "engine/StartCommand.h"

#include "engine/MergePieces.h"
#include "engine/SplitFile.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const char kErrorCaption[] = "Kavrel：你出错了";
const char kDoneCaption[] = "Kavrel：完成了！";
const char kSizeWarning[] = "你必须先选择分割大小，也就是你的优盘的大小";

// The main dialog as the command sees it: a path field, a saving data exchange that
// fails when bSaveFails (after its over-length box), and recorded boxes.
class CTestDialog : public IStartDialog, public CSplitForm {
public:
    int MessageBox(const char* pszText, const char* pszCaption, unsigned nType) override
    {
        return recorder.MessageBox(pszText, pszCaption, nType);
    }
    bool SaveForm() override
    {
        ++nUpdates;
        return !bSaveFails;
    }
    JobResult Start() { return RunStartCommand(*this, *this, strPathText); }

    CString strPathText;
    bool bSaveFails = false;
    int nUpdates = 0;
    CBoxRecorder recorder;
};

TEST(StartCommand, EmptyPathEndsTheCommand)
{
    for (bool bSplit : {true, false}) {
        CTestDialog dialog;
        dialog.m_strPath = "old";
        dialog.m_bSplitMode = bSplit;
        dialog.Start();
        EXPECT_EQ(dialog.recorder.boxes, (std::vector<CBox>{{"请输入文件先!", kErrorCaption, 48}}));
        EXPECT_EQ(dialog.m_strPath, "");
        EXPECT_EQ(dialog.nUpdates, 0);
    }
}

// No size chosen: the warning, then a split into 32,000,000-byte pieces.
TEST(StartCommand, SizeWarningThenSplitWithTheHeldSize)
{
    CTempDir dir;
    const std::string source = dir.Path("big.bin");
    WriteSparse(source, 32000001, "head", "tail");
    CTestDialog dialog;
    dialog.m_bSplitMode = true;
    dialog.m_nPieceSizeK = 32000;
    dialog.strPathText = source;
    dialog.Start();
    const std::string first = dir.Path("big_001.bin");
    EXPECT_EQ(dialog.recorder.boxes, (std::vector<CBox>{{kSizeWarning, kErrorCaption, 48},
        {"分割完毕!!\n分割好的文件是" + first + "\n等等类似的名称的就是了", kDoneCaption, 64}}));
    EXPECT_EQ(dialog.nUpdates, 1);
    const std::string piece1 = ReadBytes(first);
    ASSERT_EQ(piece1.size(), 32000000u);
    EXPECT_EQ(piece1.substr(0, 4), "head");
    EXPECT_EQ(ReadBytes(dir.Path("big_002.bin")), "l");
}

// The size choice sets the piece size; a choice out of range ends the command after
// the data exchange, in either mode.
TEST(StartCommand, SizeChoice)
{
    struct { bool bSplit; int choice; int pieceSizeK; std::vector<CBox> boxes; } rows[] = {
        {true, 1, 32000, {{"没必要分割该文件", "Kavrel：没必要呀！", 64}}},
        {true, 2, 64000, {{"没必要分割该文件", "Kavrel：没必要呀！", 64}}},
        {true, 3, 7, {{"程序出现大小错误", kErrorCaption, 48}}},
        {false, -1, 7, {{"程序出现大小错误", kErrorCaption, 48}}},
    };
    for (const auto& row : rows) {
        CTempDir dir;
        WriteBytes(dir.Path("s_001.bin"), MakeBytes(1500));
        CTestDialog dialog;
        dialog.m_bSplitMode = row.bSplit;
        dialog.m_nSizeChoice = row.choice;
        dialog.m_nPieceSizeK = 7;
        dialog.strPathText = dir.Path("s_001.bin");
        dialog.Start();
        EXPECT_EQ(dialog.recorder.boxes, row.boxes) << row.choice;
        EXPECT_EQ(dialog.m_nPieceSizeK, row.pieceSizeK);
        EXPECT_EQ(dialog.nUpdates, 1);
        EXPECT_EQ(dir.Count(), 1u);
    }
}

// After the over-length box of the data exchange the command ends: no job runs.
TEST(StartCommand, OverLongPathEndsTheCommand)
{
    for (bool bSplit : {true, false}) {
        CTempDir dir;
        const std::string source = dir.Path("s.bin");
        WriteBytes(source, MakeBytes(1500));
        CTestDialog dialog;
        dialog.m_bSplitMode = bSplit;
        dialog.m_nSizeChoice = 1;
        dialog.m_nPieceSizeK = 1;
        dialog.strPathText = bSplit ? source : dir.Path("s_001.bin");
        dialog.bSaveFails = true;
        EXPECT_EQ(dialog.Start(), JobResult::Failed);
        EXPECT_EQ(dialog.nUpdates, 1);
        EXPECT_TRUE(dialog.recorder.boxes.empty());
        EXPECT_EQ(dir.Count(), 1u);
    }
}

// Completion boxes name the result; a job that fails afterwards shows none.
TEST(StartCommand, CompletionOnlyAfterSuccess)
{
    CTempDir dir;
    const std::string source = dir.Path("a.b.c");
    const std::string bytes = MakeBytes(1500);
    WriteBytes(source, bytes);
    CTestDialog dialog;
    dialog.m_bSplitMode = true;
    dialog.m_nSizeChoice = 1;
    dialog.m_nPieceSizeK = 32000;
    dialog.strPathText = source;
    dialog.Start();
    dialog.m_nSizeChoice = 0;
    dialog.m_nPieceSizeK = 1;
    dialog.Start();
    dialog.strPathText = dir.Path("missing.b.c");
    dialog.Start();
    dialog.m_bSplitMode = false;
    dialog.strPathText = dir.Path("a_001.b.c");
    dialog.Start();
    dialog.strPathText = dir.Path("missing_001.b.c");
    dialog.Start();
    EXPECT_EQ(dialog.recorder.boxes, (std::vector<CBox>{
        {"没必要分割该文件", "Kavrel：没必要呀！", 64},
        {kSizeWarning, kErrorCaption, 48},
        {"分割完毕!!\n分割好的文件是" + dir.Path("a_001.b.c") + "\n等等类似的名称的就是了", kDoneCaption, 64},
        {kSizeWarning, kErrorCaption, 48},
        {"读取原文件错误", "Kavrel分割中....", 48},
        {"合并完成\n请检查:" + source, kDoneCaption, 64},
        {"读取原文件错误", "Kavrel合并中....", 48},
    }));
    EXPECT_EQ(ReadBytes(source), bytes);
    EXPECT_FALSE(g_bSplitOk);
    EXPECT_FALSE(g_bMergeOk);
}

} // namespace
