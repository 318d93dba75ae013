// Objects that own a GDI font, a menu, a paint cycle or a tooltip window free them
// once, and a moved-from object frees nothing.
#include "framework/win32/Font.h"
#include "framework/win32/Menu.h"
#include "framework/win32/PaintDC.h"
#include "framework/win32/ToolTipCtrl.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

HFONT MakeFont(LONG nHeight)
{
    LOGFONTA lf = {};
    lf.lfHeight = nHeight;
    lstrcpyA(lf.lfFaceName, "Arial");
    return ::CreateFontIndirectA(&lf);
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
        LOGFONTA lf = {};
        EXPECT_EQ(static_cast<int>(sizeof(lf)), moved.GetLogFont(&lf));
        EXPECT_EQ(-20, lf.lfHeight);
        CFont assigned;
        assigned = std::move(moved);
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(hSecond));
    }
    EXPECT_EQ(0u, ::GetObjectType(hSecond));
}

TEST(Menu, OwnsOneMenuThroughMovesAndReplacement)
{
    HMENU hFirst = nullptr;
    HMENU hSecond = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hFirst = menu;
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 1030, "恢复"));
        EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        EXPECT_EQ(2, ::GetMenuItemCount(hFirst));
        CMenu moved(std::move(menu));
        EXPECT_EQ(nullptr, menu.GetSafeHmenu());
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
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CPaintCounter wnd;
    wnd.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wintest::PumpPending();
    wnd.nPaints = 0;
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_EQ(1, wnd.nPaints);
    EXPECT_FALSE(::GetUpdateRect(hWnd, nullptr, FALSE));
    wintest::PumpPending();
    EXPECT_EQ(1, wnd.nPaints);
    ::DestroyWindow(hWnd);
}

TEST(ToolTipCtrl, HoldsToolsAndGoesAwayWithItsOwner)
{
    CTestDialog dlg;
    CToolTipCtrl tip;
    CString strFirst, strUpdated;
    int nTools = 0;
    HWND hTip = nullptr, hTipOwner = nullptr;
    dlg.script = [&](CTestDialog& d) {
        CWnd text(::GetDlgItem(d, IDC_TEXT_A));
        ASSERT_TRUE(tip.Create(&text));
        hTip = tip.m_hWnd;
        hTipOwner = ::GetWindow(hTip, GW_OWNER);
        CRect rc;
        text.GetClientRect(rc);
        EXPECT_TRUE(tip.AddTool(&text, "http://例子.example/", rc, 1));
        nTools = tip.GetToolCount();
        tip.GetText(strFirst, &text, 1);
        tip.UpdateTipText("mailto:someone@example.com", &text, 1);
        tip.GetText(strUpdated, &text, 1);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, nTools);
    EXPECT_EQ("http://例子.example/", strFirst);
    EXPECT_EQ("mailto:someone@example.com", strUpdated);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_NE(nullptr, hTipOwner);
    // Destroyed by the system with the dialog; the object noticed.
    EXPECT_FALSE(::IsWindow(hTip));
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

}  // namespace
