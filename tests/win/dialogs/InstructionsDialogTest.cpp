// The instructions dialog on its own: the text it shows and what becomes of edits.
#include "app/InstructionsDialog.h"

#include "framework/portable/Utf16.h"
#include "res/resource.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using wintest::WaitFor;
using wintest::WindowText;

// The lines of text, each of which must end with CR LF; false when one does not or
// when a lone CR or LF appears.
bool SplitCrLfLines(const CString& text, std::vector<CString>& lines)
{
    lines.clear();
    std::size_t nStart = 0;
    while (nStart < text.size()) {
        std::size_t nEnd = text.find("\r\n", nStart);
        if (nEnd == CString::npos)
            return false;
        CString strLine = text.substr(nStart, nEnd - nStart);
        if (strLine.find_first_of("\r\n") != CString::npos)
            return false;
        lines.push_back(strLine);
        nStart = nEnd + 2;
    }
    return true;
}

// Line nLine (from 0) of a multi-line edit control as the control breaks it.
CString EditLine(HWND hEdit, int nLine)
{
    wchar_t szLine[512];
    // EM_GETLINE takes the buffer size, in characters, in the first WORD of the buffer.
    *reinterpret_cast<WORD*>(szLine) = 511;
    LRESULT nCopied = ::SendMessageW(hEdit, EM_GETLINE, static_cast<WPARAM>(nLine),
                                     reinterpret_cast<LPARAM>(szLine));
    return Narrow(szLine, static_cast<std::size_t>(nCopied));
}

// The line structure the text must have, written out by hand rather than copied
// from the program: exact lines, and where only the frame is fixed, the
// leading white space and a fixed start or end.
TEST(InstructionsText, HasTheExpectedLines)
{
    std::vector<CString> lines;
    ASSERT_TRUE(SplitCrLfLines(CInstructionsDialog::s_szText, lines))
        << "every line, the last too, must end with CR LF";
    ASSERT_EQ(18u, lines.size());

    struct Row {
        int nLine;  // from 1
        const char* pszIndent;
        const char* pszStart;  // after the indent
        const char* pszEnd;
        bool bExact;
    };
    const std::string seven(7, ' ');
    const std::string thirtyThree(33, ' ');
    const std::string twentySeven(27, ' ');
    const Row rows[] = {
        {1, "\t\t\t   ", "Kavrel2.0(优盘版)", "", true},
        {2, "\t\t\t\t\t by ", "", " ", false},
        {3, "", "", "", true},
        {5, "", "", "在分割模式", false},
        {6, "", "下它会在你选择的目录下生成形如xxx_001.xxx的格式", "", true},
        {7, "", "的文件，当你要合并文件时选中分割好的第一个文件点合并", "", true},
        {8, "", "即可，如：选中xxx_001.xxx再点合并即可完成合并工作！", "", true},
        {9, "", "但这个软件有很多不完善的地方,合并时需要手工指定文件，", "", true},
        {10, "", "如果出错后果也还好了，不过有的错误也不是是致命的！！", "", true},
        {11, "", "", "", true},
        {12, "", "", "", true},
        {13, seven.c_str(), "这是个特别为优盘用户写的它可以分成32MB和64MB两种大小", "", true},
        {14, seven.c_str(), "有没有128MB的需求呢？写信给我吧！", "", true},
        {15, seven.c_str(), "", "@example.com", false},
        {16, seven.c_str(), "", "http://www.example.com", false},
        {17, thirtyThree.c_str(), "", "", false},
        {18, twentySeven.c_str(), "", "", false},
    };
    for (const Row& row : rows) {
        const CString& strLine = lines[static_cast<std::size_t>(row.nLine - 1)];
        SCOPED_TRACE("line " + std::to_string(row.nLine) + ": " + strLine);
        CString strHead = CString(row.pszIndent) + row.pszStart;
        if (row.bExact) {
            EXPECT_EQ(strHead + row.pszEnd, strLine);
            continue;
        }
        EXPECT_EQ(strHead, strLine.substr(0, strHead.size()));
        CString strEnd = row.pszEnd;
        ASSERT_GE(strLine.size(), strHead.size() + strEnd.size());
        EXPECT_EQ(strEnd, strLine.substr(strLine.size() - strEnd.size()));
        // Where only the indent is fixed, something must follow it.
        if (strEnd.empty() && row.pszStart[0] == '\0') {
            EXPECT_NE(' ', strLine[strHead.size()]);
        }
    }
    EXPECT_NE(lines[3].size(), 0u) << "line 4 starts the history remark";
}

class InstructionsDialogTest : public ::testing::Test {
protected:
    // Runs the dialog modally while drive() acts on it from another thread with its
    // window and its edit control. Returns DoModal's result.
    INT_PTR Run(CInstructionsDialog& dlg, const std::function<void(HWND, HWND)>& drive)
    {
        return wintest::DriveModal([&] { return dlg.DoModal(); }, [&](HWND hDlg) {
            drive(hDlg, ::GetDlgItem(hDlg, IDC_INSTRUCTIONS_TEXT));
            if (::IsWindow(hDlg))
                ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
    }
};

TEST_F(InstructionsDialogTest, ShowsTheTextLineByLineWithoutWrapping)
{
    CInstructionsDialog dlg;
    INT_PTR nResult = Run(dlg, [](HWND hDlg, HWND hEdit) {
        EXPECT_EQ("有关\"Kavrel的说明\"", wintest::WindowText(hDlg));
        EXPECT_EQ(CString(CInstructionsDialog::s_szText), WindowText(hEdit));

        // The control breaks lines only where the text does: the 18 lines and the
        // empty one after the last CR LF.
        std::vector<CString> lines;
        ASSERT_TRUE(SplitCrLfLines(CInstructionsDialog::s_szText, lines));
        ASSERT_EQ(19, ::SendMessageW(hEdit, EM_GETLINECOUNT, 0, 0));
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], EditLine(hEdit, static_cast<int>(i))) << "line " << i + 1;

        wintest::Click(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ("", dlg.m_strInstructions) << "cancel exchanges nothing";
}

TEST_F(InstructionsDialogTest, TypedChangesAreLostOnReopening)
{
    const CString strText = CInstructionsDialog::s_szText;
    CInstructionsDialog dlg;
    INT_PTR nResult = Run(dlg, [&](HWND hDlg, HWND hEdit) {
        ::SendMessageW(hEdit, EM_SETSEL, 0, 0);
        for (char ch : CString("XY"))
            ::PostMessageW(hEdit, WM_CHAR, static_cast<unsigned char>(ch), 1);
        EXPECT_TRUE(WaitFor([&] { return WindowText(hEdit) == "XY" + strText; }))
            << "the text can be edited";
        wintest::Click(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ("XY" + strText, dlg.m_strInstructions) << "确认 saves the edit's text";

    // The same object again: its saved text goes into the edit first and is then
    // replaced by the fixed one.
    Run(dlg, [&](HWND, HWND hEdit) { EXPECT_EQ(strText, WindowText(hEdit)); });
}

}  // namespace
