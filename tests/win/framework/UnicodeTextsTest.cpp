// The texts of boxes, dialogs and resources read back as UTF-16 exactly as written,
// whatever the system's ANSI code page (recorded as the property AnsiCodePage). The
// texts mix Korean, Chinese and characters outside the Basic Multilingual Plane,
// which no single code page holds: any eight-bit step on the way would lose them.
#include "framework/win32/MessageBox.h"
#include "framework/win32/WinApp.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The static control that holds a message box's text.
const int kBoxTextId = 0xFFFF;

class UnicodeTexts : public ::testing::Test {
protected:
    void SetUp() override { RecordProperty("AnsiCodePage", static_cast<int>(::GetACP())); }
};

TEST_F(UnicodeTexts, ABoxShowsItsTextAndCaptionWhole)
{
    struct Row {
        const char* how;
        std::function<int()> show;
        std::wstring text;
        std::wstring caption;
    } rows[] = {
        {"AfxShowMessageBox",
         [] { return AfxShowMessageBox(nullptr, "读取 읽기 😀\n第二行", "标题 제목 🎉", MB_OK); },
         L"读取 읽기 \U0001F600\n第二行", L"标题 제목 \U0001F389"},
        {"AfxMessageBox", [] { return AfxMessageBox("文件 파일 📎", MB_ICONSTOP); },
         L"文件 파일 \U0001F4CE", L"framework_tests"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        std::wstring strText, strCaption;
        INT_PTR nResult = wintest::DriveModal([&] { return row.show(); }, [&](HWND hBox) {
            strCaption = wintest::WindowTextW(hBox);
            strText = wintest::WindowTextW(::GetDlgItem(hBox, kBoxTextId));
            ::PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(row.text, strText);
        EXPECT_EQ(row.caption, strCaption);
    }
}

TEST_F(UnicodeTexts, ADialogShowsItsTemplatesTextsAndTheFrameworkReadsThemAsUtf8)
{
    CTestDialog dlg(IDD_TEXTS);
    std::wstring strCaption, strStatic;
    CString strCaptionUtf8, strStaticUtf8;
    dlg.script = [&](CTestDialog& d) {
        strCaption = wintest::WindowTextW(d);
        strStatic = wintest::WindowTextW(::GetDlgItem(d, IDC_TEXT_A));
        d.GetWindowText(strCaptionUtf8);
        d.GetDlgItemText(IDC_TEXT_A, strStaticUtf8);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(L"标题 제목 \U0001F600", strCaption);
    EXPECT_EQ(L"文字 텍스트 \U0001F389", strStatic);
    EXPECT_EQ("标题 제목 😀", strCaptionUtf8);
    EXPECT_EQ("文字 텍스트 🎉", strStaticUtf8);
}

TEST_F(UnicodeTexts, StringResourcesComeBackInUtf8)
{
    EXPECT_EQ("字符串 문자열 📎", AfxLoadString(IDS_TEXTS));
    EXPECT_EQ("", AfxLoadString(IDS_MISSING));
}

}  // namespace
