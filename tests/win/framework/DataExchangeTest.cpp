// Data exchange against real controls: text both ways, the length limit and its
// message, and attaching control objects.
#include "framework/win32/DataExchange.h"
#include "framework/win32/MessageBox.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(DataExchange, TextGoesToTheControlAndComesBack)
{
    // Korean, Chinese and a character outside the Basic Multilingual Plane: no single
    // ANSI code page holds them all, so they survive only as UTF-16.
    CTestDialog dlg;
    CString strValue = "初始 한국어 😀";
    std::wstring strShown;
    CString strAfterEdit;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_EDIT, strValue); };
    dlg.script = [&](CTestDialog& d) {
        // OnInitDialog exchanged towards the controls.
        strShown = wintest::WindowTextW(::GetDlgItem(d, IDC_EDIT));
        wintest::SetWindowText(::GetDlgItem(d, IDC_EDIT), "改过的 텍스트 🎉");
        EXPECT_TRUE(d.UpdateData(TRUE));
        strAfterEdit = strValue;
        strValue.clear();
        EXPECT_TRUE(d.UpdateData(FALSE));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(L"初始 한국어 \U0001F600", strShown);
    EXPECT_EQ("改过的 텍스트 🎉", strAfterEdit);
}

TEST(DataExchange, MaxCharsCountsAsTheEditDoesAndRefusesLongerText)
{
    // The edit counts its limit in UTF-16 units: a character outside the Basic
    // Multilingual Plane takes two, every other one takes one.
    struct Row {
        const char* text;
        bool bAccepted;
    } rows[] = {
        {"12345678", true},
        {"123456789", false},
        {"一二三四五六七八", true},
        {"一二三四五六七八九", false},
        {"한국어한국어한국", true},
        {"123456😀", true},
        {"1234567😀", false},
    };
    wintest::MessageBoxRecorder boxes;
    CTestDialog dlg;
    CString strValue;
    dlg.ExchangeEditOfAtMost(strValue, 8);
    LRESULT nLimit = 0;
    std::vector<bool> accepted;
    HWND hEdit = nullptr;
    dlg.script = [&](CTestDialog& d) {
        hEdit = ::GetDlgItem(d, IDC_EDIT);
        nLimit = ::SendMessageW(hEdit, EM_GETLIMITTEXT, 0, 0);
        for (const Row& row : rows) {
            d.SetDlgItemText(IDC_EDIT, row.text);
            accepted.push_back(d.UpdateData(TRUE) != FALSE);
        }
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(8, nLimit);
    ASSERT_EQ(std::size(rows), accepted.size());
    std::size_t nRefused = 0;
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        EXPECT_EQ(rows[i].bAccepted, accepted[i]) << rows[i].text;
        nRefused += rows[i].bAccepted ? 0 : 1;
    }
    ASSERT_EQ(nRefused, boxes.Boxes().size());
    const auto& box = boxes.Boxes()[0];
    EXPECT_EQ("最多只能输入8个字符。", box.text);
    EXPECT_EQ(AfxGetAppTitle(), box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.type & MB_ICONMASK);
}

TEST(DataExchange, ARefusedTextIsReportedFirstThenFocusedAndSelected)
{
    wintest::MessageBoxRecorder boxes;
    CTestDialog dlg;
    CString strValue;
    dlg.ExchangeEditOfAtMost(strValue, 8);
    HWND hEdit = nullptr, hFocusAtBox = nullptr, hFocusAfter = nullptr;
    DWORD nSelStart = 1, nSelEnd = 0;
    boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) { hFocusAtBox = ::GetFocus(); };
    dlg.script = [&](CTestDialog& d) {
        hEdit = ::GetDlgItem(d, IDC_EDIT);
        ::SetFocus(::GetDlgItem(d, IDC_BUTTON_A));
        d.SetDlgItemText(IDC_EDIT, "123456789");
        EXPECT_FALSE(d.UpdateData(TRUE));
        hFocusAfter = ::GetFocus();
        ::SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nSelStart),
                       reinterpret_cast<LPARAM>(&nSelEnd));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1u, boxes.Boxes().size());
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
        nHit = ::SendMessageW(hText, WM_NCHITTEST, 0, 0);
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
