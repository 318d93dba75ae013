// A parent's colour query for one of our controls is answered by the control.
#include "framework/win32/DataExchange.h"
#include "framework/win32/Static.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

namespace {

class CColouredText : public CStatic {
public:
    HBRUSH hBrush = nullptr;  // the answer; null declines
    int nQueries = 0;
    HDC hLastDC = nullptr;
    UINT nLastCtlColor = 0;

protected:
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor)
    {
        ++nQueries;
        hLastDC = hDC;
        nLastCtlColor = nCtlColor;
        if (hBrush != nullptr)
            ::SetTextColor(hDC, RGB(255, 0, 0));
        return hBrush;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredText, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(Reflection, TheControlsBrushAnswersTheParentsColourQuery)
{
    CTestDialog dlg;
    CColouredText text;
    HBRUSH hRed = ::CreateSolidBrush(RGB(255, 0, 0));
    text.hBrush = hRed;
    LRESULT lAnswer = 0;
    COLORREF crText = 0;
    HDC hDC = nullptr, hSeenDC = nullptr;
    UINT nSeenCtlColor = 0;
    int nQueriesWhilePainting = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_TEXT_A, text); };
    dlg.script = [&](CTestDialog& d) {
        hDC = ::GetDC(d);
        lAnswer = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                reinterpret_cast<LPARAM>(text.m_hWnd));
        crText = ::GetTextColor(hDC);
        hSeenDC = text.hLastDC;
        nSeenCtlColor = text.nLastCtlColor;
        ::ReleaseDC(d, hDC);
        // The static's own painting asks its parent, which asks the static.
        int nBefore = text.nQueries;
        text.Invalidate();
        ::UpdateWindow(text);
        nQueriesWhilePainting = text.nQueries - nBefore;
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(reinterpret_cast<LRESULT>(hRed), lAnswer);
    EXPECT_EQ(hDC, hSeenDC);
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), nSeenCtlColor);
    EXPECT_EQ(RGB(255, 0, 0), crText);
    EXPECT_GE(nQueriesWhilePainting, 1);
    ::DeleteObject(hRed);
}

TEST(Reflection, WithoutABrushTheParentAnswersAsForAnyOtherControl)
{
    CTestDialog dlg;
    CColouredText text;
    LRESULT lOurs = 0, lOther = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_TEXT_A, text); };
    dlg.script = [&](CTestDialog& d) {
        HDC hDC = ::GetDC(d);
        lOther = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                               reinterpret_cast<LPARAM>(::GetDlgItem(d, IDC_TEXT_B)));
        lOurs = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                              reinterpret_cast<LPARAM>(text.m_hWnd));
        ::ReleaseDC(d, hDC);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, text.nQueries);
    EXPECT_EQ(lOther, lOurs);
}

}  // namespace
