// Objects that own a GDI font, a menu, a paint cycle or a tooltip window free them
// once, and a moved-from object frees nothing.
#include "framework/win32/Font.h"
#include "framework/win32/Menu.h"
#include "framework/win32/PaintDC.h"
#include "framework/win32/ToolTipCtrl.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace {

HFONT MakeFont(LONG nHeight)
{
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lstrcpyW(lf.lfFaceName, L"Arial");
    return ::CreateFontIndirectW(&lf);
}

TEST(Font, OwnsOneFontThroughMovesAndReplacement)
{
    HFONT hFirst = MakeFont(-12);
    HFONT hSecond = MakeFont(-20);
    {
        CFont font;
        ASSERT_TRUE(font.Attach(hFirst));
        CFont moved(std::move(font));
        EXPECT_EQ(nullptr, font.GetSafeHandle());
        EXPECT_EQ(hFirst, moved.GetSafeHandle());
        moved.Attach(hSecond);  // replaces, deleting the first
        EXPECT_EQ(0u, ::GetObjectType(hFirst));
        CFont assigned;
        assigned = std::move(moved);
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(hSecond));
        EXPECT_EQ(nullptr, moved.GetSafeHandle());
        EXPECT_FALSE(moved.DeleteObject());
    }
    EXPECT_EQ(0u, ::GetObjectType(hSecond));
}

TEST(Font, KeepsAFaceNameOutsideTheSystemCodePage)
{
    LOGFONTW lf = {};
    lf.lfHeight = -14;
    lf.lfUnderline = 1;
    lstrcpyW(lf.lfFaceName, L"文泉驿微米黑");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONTW lfBack = {};
    ASSERT_EQ(static_cast<int>(sizeof(lfBack)), ::GetObjectW(font, sizeof(lfBack), &lfBack));
    EXPECT_STREQ(L"文泉驿微米黑", lfBack.lfFaceName);
    EXPECT_EQ(1, lfBack.lfUnderline);
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_EQ(nullptr, font.GetSafeHandle());
}

TEST(Menu, OwnsOneMenuThroughMovesAndReplacement)
{
    HMENU hFirst = nullptr;
    HMENU hSecond = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hFirst = menu;
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 1030, "恢复 복원 😀"));
        EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        EXPECT_EQ(2, ::GetMenuItemCount(hFirst));
        wchar_t szItem[64] = L"";
        ::GetMenuStringW(hFirst, 1030, szItem, 64, MF_BYCOMMAND);
        EXPECT_STREQ(L"恢复 복원 \U0001F600", szItem);
        EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), ::GetMenuState(hFirst, 1, MF_BYPOSITION) & MF_SEPARATOR);
        CMenu moved(std::move(menu));
        EXPECT_EQ(nullptr, static_cast<HMENU>(menu));
        ASSERT_TRUE(moved.CreatePopupMenu());
        hSecond = moved;
        EXPECT_FALSE(::IsMenu(hFirst));
        EXPECT_TRUE(::IsMenu(hSecond));
    }
    EXPECT_FALSE(::IsMenu(hSecond));
}

class CPaintCounter : public CWnd {
public:
    int nPaints = 0;
    HICON hIcon = nullptr;

protected:
    void OnPaint()
    {
        ++nPaints;
        CPaintDC dc(this);
        dc.DrawIcon(0, 0, hIcon);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintCounter, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(PaintDC, APaintCycleValidatesTheWindow)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CPaintCounter wnd;
    wnd.hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wintest::PumpPending();
    wnd.nPaints = 0;
    wnd.Invalidate();
    ::UpdateWindow(hWnd);
    EXPECT_EQ(1, wnd.nPaints);
    EXPECT_FALSE(::GetUpdateRect(hWnd, nullptr, FALSE));
    wintest::PumpPending();
    EXPECT_EQ(1, wnd.nPaints);
    ::DestroyWindow(hWnd);
}

// The tooltip's own answer for tool nIDTool of hTool, through its messages.
std::wstring ToolText(HWND hTip, HWND hTool, UINT_PTR nIDTool)
{
    wchar_t szText[1024] = L"";
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hTool;
    ti.uId = nIDTool;
    ti.lpszText = szText;
    ::SendMessageW(hTip, TTM_GETTEXTW, std::size(szText), reinterpret_cast<LPARAM>(&ti));
    return szText;
}

TEST(ToolTipCtrl, HoldsToolsAndGoesAwayWithItsOwner)
{
    CTestDialog dlg;
    CToolTipCtrl tip;
    std::wstring strFirst, strUpdated;
    LRESULT nTools = 0;
    HWND hTip = nullptr, hTipOwner = nullptr;
    dlg.script = [&](CTestDialog& d) {
        CWnd text(::GetDlgItem(d, IDC_TEXT_A));
        ASSERT_TRUE(tip.Create(&text));
        hTip = tip.m_hWnd;
        hTipOwner = ::GetWindow(hTip, GW_OWNER);
        CRect rc;
        text.GetClientRect(rc);
        EXPECT_TRUE(tip.AddTool(&text, "http://例子.example/한국어/😀", rc, 1));
        nTools = ::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0);
        strFirst = ToolText(hTip, text, 1);
        tip.UpdateTipText("mailto:someone@example.com", &text, 1);
        strUpdated = ToolText(hTip, text, 1);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, nTools);
    EXPECT_EQ(L"http://例子.example/한국어/\U0001F600", strFirst);
    EXPECT_EQ(L"mailto:someone@example.com", strUpdated);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_NE(nullptr, hTipOwner);
    // Destroyed by the system with the dialog; the object noticed.
    EXPECT_FALSE(::IsWindow(hTip));
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

}  // namespace
