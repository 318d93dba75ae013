// The built program as the user starts it: its one dialog ends it by every way the
// user has, a file named on its command line is taken as if dropped, its texts and
// boxes read back whole as UTF-16 whatever the system's code page, and killed in the
// middle of a split it leaves nothing behind, nor, killed while a split of 999 pieces
// gives their names over an earlier set, a mix that merges.
#include "tests/win/app/MainDialogSession.h"
#include "tests/win/app/RunningProgram.h"

#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"
#include "framework/portable/Utf16.h"
#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

// Each way ends it, as it opens and after a job whose boxes were answered: the
// dialog has the keyboard back once the progress dialog and the boxes are gone.
TEST(Program, ExitEscAndTheCloseBoxEndIt)
{
    const struct {
        const char* pszHow;
        std::function<void(const RunningProgram&)> end;
    } ways[] = {
        {"Exit", [](const RunningProgram& p) { ::PostMessageW(p.Item(IDCANCEL), BM_CLICK, 0, 0); }},
        {"Esc",
         [](const RunningProgram& p) {
             HWND hFocus = p.Focus();
             ::PostMessageW(hFocus != nullptr ? hFocus : p.Dialog(), WM_KEYDOWN, VK_ESCAPE, 1);
         }},
        {"close box", [](const RunningProgram& p) { ::PostMessageW(p.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    CTempDir dir;
    const std::string strSmall = dir.Path("small.bin");
    WriteBytes(strSmall, "no need to split");
    for (bool bAfterJob : {false, true}) {
        for (const auto& way : ways) {
            SCOPED_TRACE(testing::Message() << way.pszHow << (bAfterJob ? " after a job" : ""));
            RunningProgram program(bAfterJob ? "\"" + strSmall + "\"" : CString());
            ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
            EXPECT_EQ(wintest::WindowText(program.Item(IDCANCEL)), "退出");
            if (bAfterJob) {
                // No size chosen: the warning, then the job's own box.
                ::PostMessageW(program.Item(IDOK), BM_CLICK, 0, 0);
                for (const char* pszText : {"你必须先选择分割大小，也就是你的优盘的大小", "没必要分割该文件"}) {
                    HWND hBox = program.WaitForBox();
                    ASSERT_NE(hBox, nullptr) << "no box: " << pszText;
                    EXPECT_EQ(wintest::WindowText(::GetDlgItem(hBox, kBoxTextId)), pszText);
                    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
                    ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hBox); }));
                }
                ASSERT_TRUE(wintest::WaitFor([&] { return ::IsWindowEnabled(program.Dialog()) != FALSE; }));
            } else {
                EXPECT_TRUE(wintest::WindowText(program.Item(IDC_PATH)).empty());
            }
            way.end(program);
            program.ExpectEndsWithExitCodeZero();
        }
    }
}

// As "Open with" and "Send to" start it: the file fills the field and chooses the
// mode by its name; a folder after it fills the folder field.
TEST(Program, StartsWithTheFileOnItsCommandLine)
{
    const struct {
        const char* pszFile;
        int nMode;
        const char* pszStart;
        const char* pszFolder;
    } rows[] = {
        {"C:\\한국어 폴더\\photo😀.jpg", IDC_MODE_SPLIT, "分割", ""},
        {"C:\\数据\\movie_001.avi", IDC_MODE_MERGE, "合并", ""},
        {"C:\\数据\\movie.avi.sha256", IDC_MODE_VERIFY, "校验", ""},
        {"C:\\数据\\movie.avi", IDC_MODE_SPLIT, "分割", "E:\\优盘 1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszFile);
        RunningProgram program(CString("\"") + row.pszFile + "\" \"" + row.pszFolder + "\"");
        ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
        EXPECT_EQ(wintest::WindowText(program.Item(IDC_PATH)), row.pszFile);
        EXPECT_EQ(wintest::WindowText(program.Item(IDC_TARGET_DIR)), row.pszFolder);
        for (int nID : {IDC_MODE_SPLIT, IDC_MODE_MERGE, IDC_MODE_VERIFY})
            EXPECT_EQ(program.Checked(nID), nID == row.nMode) << nID;
        EXPECT_EQ(wintest::WindowText(program.Item(IDOK)), row.pszStart);
        EXPECT_TRUE(::IsWindowEnabled(program.Item(IDOK)));
        ::PostMessageW(program.Item(IDCANCEL), BM_CLICK, 0, 0);
        program.ExpectEndsWithExitCodeZero();
    }
}

// The real boxes of a split started from the command line, read back from their
// windows: the texts and the path in them whole, under any system code page.
TEST(Program, ShowsItsTextsAndBoxesWhole)
{
    CTempDir dir;
    const std::string strSource = dir.Path("한국어 photo😀.bin");
    // Sparse: one byte more than a piece costs no disk.
    WriteSparse(strSource, 32000001, "head", "tail");
    RunningProgram program("\"" + strSource + "\"");
    ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
    EXPECT_EQ(wintest::WindowText(program.Item(IDC_SIZE_FRAME)), "请选择优盘大小32MB/64MB");
    EXPECT_EQ(wintest::WindowText(program.Item(IDC_MODE_FRAME)), "请先选择是分割还是合并");
    const CString strTitle = "Tosvik2.0(优盘版)";
    EXPECT_EQ(wintest::WindowText(program.Dialog()).substr(0, strTitle.size()), strTitle);

    ::PostMessageW(program.Item(IDOK), BM_CLICK, 0, 0);
    // No size chosen: the warning, then the split into one piece.
    const struct {
        CString strText;
        const char* pszCaption;
    } expected[] = {
        {"你必须先选择分割大小，也就是你的优盘的大小", "Kavrel：你出错了"},
        {"分割完毕!!\n分割好的文件是" + dir.Path("한국어 photo😀_001.bin") + "\n等等类似的名称的就是了",
         "Kavrel：完成了！"},
    };
    for (const auto& box : expected) {
        HWND hBox = program.WaitForBox();
        ASSERT_NE(hBox, nullptr) << "no box: " << box.strText;
        EXPECT_EQ(wintest::WindowText(hBox), box.pszCaption);
        EXPECT_EQ(wintest::WindowText(::GetDlgItem(hBox, kBoxTextId)), box.strText);
        ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hBox); }));
    }
    EXPECT_TRUE(FileExists(dir.Path("한국어 photo😀_001.bin")));
    ::PostMessageW(program.Item(IDCANCEL), BM_CLICK, 0, 0);
    program.ExpectEndsWithExitCodeZero();
}

// Killed while it splits, the program leaves the folder as it was: nothing that a
// merge could take for a set. Started again on piece 001, the merge is refused and
// the source stands unchanged.
TEST(Program, KilledMidSplitLeavesNothingThatMerges)
{
    CTempDir dir;
    const std::string strSource = dir.Path("m.bin");
    // Sparse, so it costs no disk; a split of it lasts long enough to be killed, and
    // the room it asks for before it writes stays within what a test machine has.
    const std::uint64_t nLength = 3000000000u;
    WriteSparse(strSource, nLength, "head", "tail");
    const auto written = std::filesystem::last_write_time(strSource);
    const auto expectSourceAlone = [&] {
        EXPECT_EQ(dir.Count(), 1u) << "files left behind";
        EXPECT_EQ(std::filesystem::file_size(strSource), nLength);
        EXPECT_TRUE(std::filesystem::last_write_time(strSource) == written);
    };
    {
        RunningProgram program("\"" + strSource + "\"");
        ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
        ::SendMessageW(program.Item(IDC_SIZE_32MB), BM_CLICK, 0, 0);
        ::PostMessageW(program.Item(IDOK), BM_CLICK, 0, 0);
        // Piece 002 has begun once two files are pending, or m_002.bin is there.
        const auto secondPieceBegun = [&] {
            int nPending = 0;
            for (const std::string& name : ListFolder(dir.Path("")))
                nPending += name.rfind("~tosvik", 0) == 0;
            return nPending >= 2 || PathExists(dir.Path("m_002.bin"));
        };
        ASSERT_TRUE(wintest::WaitFor(secondPieceBegun, 60000)) << "the split did not reach piece 002";
        ASSERT_TRUE(program.Kill());
    }
    expectSourceAlone();

    RunningProgram program("\"" + dir.Path("m_001.bin") + "\"");
    ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
    EXPECT_TRUE(program.Checked(IDC_MODE_MERGE));
    ::PostMessageW(program.Item(IDOK), BM_CLICK, 0, 0);
    HWND hBox = program.WaitForBox();
    ASSERT_NE(hBox, nullptr) << "no box after the merge";
    EXPECT_EQ(wintest::WindowText(::GetDlgItem(hBox, kBoxTextId)), "读取原文件错误");
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hBox); }));
    ::PostMessageW(program.Item(IDCANCEL), BM_CLICK, 0, 0);
    program.ExpectEndsWithExitCodeZero();
    expectSourceAlone();
}

// Killed while a split of 999 pieces gives them their names over an earlier set of
// 999 of the same size without a record (which a mix would pass for), the program
// leaves nothing that merges into a mix of the two sets, and the same split run
// again completes and leaves no temporary file. A minute under Wine.
TEST(Program, KilledInTheFinalPassOf999PiecesLeavesNoMix)
{
    // Sparse sources of pieces of 1 MB; the last piece tells the two sets apart.
    const std::uint64_t nEarlierLength = 998400000, nNewLength = 998500000;
    CTempDir dir;
    const std::string strSource = dir.Path("s.bin");
    WriteSparse(strSource, nEarlierLength, "earlier head", "earlier tail");
    ASSERT_EQ(SplitFile(strSource, 1000000), CJobOutcome::Done(JobKind::Split, dir.Path("s_001.bin")));
    RemoveFile(dir.Path("s.bin.sha256"));
    WriteSparse(strSource, nNewLength, "new head", "new tail");
    const auto temporaryFiles = [&] {
        int n = 0;
        for (const std::string& name : ListFolder(dir.Path("")))
            n += name.rfind("~tosvik", 0) == 0;
        return n;
    };
    {
        RunningProgram program("\"" + strSource + "\"");
        ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
        ::SendMessageW(program.Item(IDC_SIZE_OTHER), BM_CLICK, 0, 0);
        wintest::SetWindowText(program.Item(IDC_SIZE_OTHER_MB), "1");
        ::PostMessageW(program.Item(IDOK), BM_CLICK, 0, 0);
        // All 999 pieces and the record pending, then the first name the pass changes
        // changes their number; the folder is only listed, so nothing is held.
        int nMost = 0;
        const auto passBegun = [&] {
            const int n = temporaryFiles();
            nMost = n > nMost ? n : nMost;
            return nMost >= 1000 && n != 1000;
        };
        ASSERT_TRUE(wintest::WaitFor(passBegun, 120000)) << "the split did not reach its final pass";
        ASSERT_TRUE(program.Kill());
    }
    std::error_code error;
    EXPECT_EQ(std::filesystem::file_size(dir.Path("s_999.bin"), error), 400000u) << "the pass was over before the kill";

    if (MergePieces(dir.Path("s_001.bin"), nullptr, true).IsDone()) {
        CFile file;
        std::string merged(12, '\0');
        ASSERT_TRUE(file.Open(strSource, CFile::modeRead));
        merged.resize(file.Read(&merged[0], merged.size()));
        file.Close();
        EXPECT_TRUE(merged == "earlier head" || merged.substr(0, 8) == "new head") << "a mix of two sets merged";
        EXPECT_EQ(std::filesystem::file_size(strSource), merged == "earlier head" ? nEarlierLength : nNewLength);
    }
    WriteSparse(strSource, nNewLength, "new head", "new tail");
    EXPECT_EQ(SplitFile(strSource, 1000000), CJobOutcome::Done(JobKind::Split, dir.Path("s_001.bin")));
    EXPECT_EQ(std::filesystem::file_size(dir.Path("s_999.bin")), 500000u);
    EXPECT_EQ(temporaryFiles(), 0);
}
