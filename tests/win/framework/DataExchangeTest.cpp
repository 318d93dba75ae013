// Data exchange against real controls: text both ways, the length limit and its
// message, and attaching control objects.
#include "framework/win32/DataExchange.h"
#include "framework/win32/MessageBox.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(DataExchange, TextGoesToTheControlAndComesBack)
{
    CTestDialog dlg;
    CString strValue = "初始 value";
    CString strShown, strAfterEdit;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_EDIT, strValue); };
    dlg.script = [&](CTestDialog& d) {
        // OnInitDialog exchanged towards the controls.
        d.GetDlgItemText(IDC_EDIT, strShown);
        d.SetDlgItemText(IDC_EDIT, "改过的 text");
        EXPECT_TRUE(d.UpdateData(TRUE));
        strAfterEdit = strValue;
        strValue.clear();
        EXPECT_TRUE(d.UpdateData(FALSE));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("初始 value", strShown);
    EXPECT_EQ("改过的 text", strAfterEdit);
}

TEST(DataExchange, MaxCharsLimitsTheEditAndRefusesLongerText)
{
    wintest::MessageBoxRecorder boxes;
    CTestDialog dlg;
    CString strValue;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_EDIT, strValue);
        DDV_MaxChars(pDX, strValue, 8);
    };
    LRESULT nLimit = 0;
    BOOL bExact = FALSE, bExactChinese = FALSE, bLongerChinese = TRUE, bLonger = TRUE;
    HWND hEdit = nullptr, hFocusAtBox = nullptr, hFocusAfter = nullptr;
    DWORD nSelStart = 1, nSelEnd = 0;
    boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) { hFocusAtBox = ::GetFocus(); };
    dlg.script = [&](CTestDialog& d) {
        hEdit = ::GetDlgItem(d, IDC_EDIT);
        nLimit = ::SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0);
        ::SetFocus(::GetDlgItem(d, IDC_BUTTON_A));
        d.SetDlgItemText(IDC_EDIT, "12345678");
        bExact = d.UpdateData(TRUE);
        // Lengths count bytes of code page 936: two a character here.
        d.SetDlgItemText(IDC_EDIT, "一二三四");
        bExactChinese = d.UpdateData(TRUE);
        d.SetDlgItemText(IDC_EDIT, "一二三四五");
        bLongerChinese = d.UpdateData(TRUE);
        ::SetFocus(::GetDlgItem(d, IDC_BUTTON_A));
        d.SetDlgItemText(IDC_EDIT, "123456789");
        bLonger = d.UpdateData(TRUE);
        hFocusAfter = ::GetFocus();
        ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nSelStart),
                       reinterpret_cast<LPARAM>(&nSelEnd));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(8, nLimit);
    EXPECT_TRUE(bExact);
    EXPECT_TRUE(bExactChinese);
    EXPECT_FALSE(bLongerChinese);
    EXPECT_FALSE(bLonger);
    ASSERT_EQ(2u, boxes.Boxes().size());
    const auto& box = boxes.Boxes()[1];
    EXPECT_EQ("最多只能输入8个字符。", box.text);
    EXPECT_EQ(AfxGetAppTitle(), box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.type & MB_ICONMASK);
    // The message comes first; then the focus goes to the edit, its text selected.
    EXPECT_NE(hEdit, hFocusAtBox);
    EXPECT_EQ(hEdit, hFocusAfter);
    EXPECT_EQ(0u, nSelStart);
    EXPECT_EQ(9u, nSelEnd);
}

class CAttachCounter : public CWnd {
public:
    int nPreSubclass = 0;
    int nHitTests = 0;

protected:
    void PreSubclassWindow() override { ++nPreSubclass; }
    LRESULT OnNcHitTest(CPoint)
    {
        ++nHitTests;
        return HTCLIENT;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAttachCounter, CWnd)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

TEST(DataExchange, ControlIsSubclassedOnceAndThenReceivesItsMessages)
{
    CTestDialog dlg;
    CAttachCounter text;
    HWND hText = nullptr;
    LRESULT nHit = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_TEXT_A, text); };
    dlg.script = [&](CTestDialog& d) {
        hText = ::GetDlgItem(d, IDC_TEXT_A);
        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_TRUE(d.UpdateData(FALSE));
        EXPECT_EQ(&text, CWnd::FromHandlePermanent(hText));
        // A plain static answers HTTRANSPARENT; the object's handler answers now.
        nHit = ::SendMessageA(hText, WM_NCHITTEST, 0, 0);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, text.nPreSubclass);
    EXPECT_EQ(1, text.nHitTests);
    EXPECT_EQ(HTCLIENT, nHit);
    // The dialog took its controls with it; the object let go.
    EXPECT_EQ(nullptr, text.m_hWnd);
}

TEST(DataExchange, AControlMissingFromTheTemplateIsAProgrammingError)
{
    CTestDialog dlg;
    bool bCheck = false;
    CString strValue;
    dlg.script = [&](CTestDialog& d) {
        d.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_MISSING, strValue); };
        EXPECT_THROW(d.UpdateData(TRUE), std::logic_error);
        bCheck = true;
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bCheck);
}

}  // namespace
