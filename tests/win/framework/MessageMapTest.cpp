// Message tables: declared order, chaining to the base class, command routing
// through OnCommand, registered messages, the handlers' view of each message's
// parameters, Default().
#include "framework/win32/Dialog.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kBaseOnly = WM_APP + 1;
const UINT kBoth = WM_APP + 2;

class CBaseMapDialog : public CTestDialog {
public:
    std::vector<std::string> log;

protected:
    void OnBaseA() { log.push_back("base A"); }
    void OnBaseB() { log.push_back("base B"); }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { log.push_back("base only"); return 11; }
    LRESULT OnBaseBoth(WPARAM, LPARAM) { log.push_back("base both"); return 12; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseMapDialog, CTestDialog)
    ON_BN_CLICKED(IDC_BUTTON_A, &CBaseMapDialog::OnBaseA)
    ON_BN_CLICKED(IDC_BUTTON_B, &CBaseMapDialog::OnBaseB)
    ON_MESSAGE(kBaseOnly, &CBaseMapDialog::OnBaseOnly)
    ON_MESSAGE(kBoth, &CBaseMapDialog::OnBaseBoth)
END_MESSAGE_MAP()

class CDerivedMapDialog : public CBaseMapDialog {
protected:
    void OnDerivedA() { log.push_back("derived A"); }
    void OnDerivedASecond() { log.push_back("derived A, second entry"); }
    LRESULT OnDerivedBoth(WPARAM, LPARAM) { log.push_back("derived both"); return 22; }
    void OnOK() override { log.push_back("derived OnOK"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedMapDialog, CBaseMapDialog)
    ON_BN_CLICKED(IDC_BUTTON_A, &CDerivedMapDialog::OnDerivedA)
    ON_BN_CLICKED(IDC_BUTTON_A, &CDerivedMapDialog::OnDerivedASecond)
    ON_MESSAGE(kBoth, &CDerivedMapDialog::OnDerivedBoth)
END_MESSAGE_MAP()

TEST(MessageMap, FirstEntryWinsAndTheBaseTableIsReachedAfterwards)
{
    CDerivedMapDialog dlg;
    LRESULT lBoth = 0, lBaseOnly = 0;
    dlg.script = [&](CTestDialog& d) {
        wintest::Click(d, IDC_BUTTON_A);
        wintest::Click(d, IDC_BUTTON_B);
        lBoth = d.SendMessage(kBoth);
        lBaseOnly = d.SendMessage(kBaseOnly);
        // The base's own IDOK entry calls the virtual OnOK: the override runs.
        wintest::Click(d, IDOK);
        d.EndDialog(5);
    };
    EXPECT_EQ(5, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"derived A", "base B", "derived both", "base only",
                                        "derived OnOK"}),
              dlg.log);
    EXPECT_EQ(22, lBoth);
    EXPECT_EQ(11, lBaseOnly);
}

TEST(MessageMap, UnmappedMessagesGetTheWindowsOwnProcessing)
{
    CBaseMapDialog dlg;
    CString strCaption;
    dlg.script = [&](CTestDialog& d) {
        d.SetWindowText("新标题 caption");
        d.GetWindowText(strCaption);
        d.EndDialog(1);
    };
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ("新标题 caption", strCaption);
}

// Sees every command; swallows IDC_BUTTON_B and IDOK.
class CCommandDialog : public CBaseMapDialog {
protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // The edit's focus notifications depend on the window manager; left out.
        if (LOWORD(wParam) != IDC_EDIT)
            log.push_back("OnCommand " + std::to_string(LOWORD(wParam)) + "/" +
                      std::to_string(HIWORD(wParam)));
        if (LOWORD(wParam) == IDC_BUTTON_B || LOWORD(wParam) == IDOK)
            return TRUE;
        return CBaseMapDialog::OnCommand(wParam, lParam);
    }
};

TEST(MessageMap, OnCommandSeesEveryCommandBeforeTheTable)
{
    CCommandDialog dlg;
    BOOL bUnknownRouted = TRUE;
    dlg.script = [&](CTestDialog& d) {
        wintest::Click(d, IDC_BUTTON_A);
        wintest::Click(d, IDC_BUTTON_B);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(4321, EN_CHANGE), 0);
        bUnknownRouted = d.CDialog::OnCommand(MAKEWPARAM(4321, 0), 0);
        wintest::Click(d, IDOK);  // swallowed: the dialog stays
        EXPECT_TRUE(::IsWindow(d));
        wintest::Click(d, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"OnCommand 1003/0", "base A", "OnCommand 1004/0",
                                        "OnCommand 4321/768", "OnCommand 1/0", "OnCommand 2/0"}),
              dlg.log);
    EXPECT_FALSE(bUnknownRouted);
}

// A plain window whose handlers record what they were given.
class CRecordingWnd : public CWnd {
public:
    struct Call {
        std::string handler;
        long a, b, c;
    };
    std::vector<Call> calls;
    HICON hDragIcon = nullptr;

protected:
    void Record(const char* name, long a, long b = 0, long c = 0) { calls.push_back({name, a, b, c}); }
    void OnSysCommand(UINT nID, LPARAM lParam) { Record("syscommand", long(nID), long(lParam)); }
    HCURSOR OnQueryDragIcon() { Record("querydragicon", 0); return hDragIcon; }
    void OnSize(UINT nType, int cx, int cy) { Record("size", long(nType), cx, cy); }
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message)
    {
        Record("setcursor", hWnd == m_hWnd, long(nHitTest), long(message));
        return TRUE;
    }
    void OnMouseMove(UINT nFlags, CPoint pt) { Record("mousemove", long(nFlags), pt.x, pt.y); }
    void OnLButtonDown(UINT nFlags, CPoint pt) { Record("lbuttondown", long(nFlags), pt.x, pt.y); }
    void OnLButtonUp(UINT nFlags, CPoint pt) { Record("lbuttonup", long(nFlags), pt.x, pt.y); }
    void OnSetFocus(HWND hOld) { Record("setfocus", long(reinterpret_cast<INT_PTR>(hOld))); }
    void OnKillFocus(HWND hNew) { Record("killfocus", long(reinterpret_cast<INT_PTR>(hNew))); }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Record("keydown", long(nChar), long(nRepCnt), long(nFlags));
    }
    LRESULT OnNcHitTest(CPoint pt) { Record("nchittest", pt.x, pt.y); return HTCAPTION; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

HWND CreatePlainWindow()
{
    return ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

TEST(MessageMap, HandlersReceiveTheMessageParametersUnpacked)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wnd.hDragIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION

    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        CRecordingWnd::Call call;
    } rows[] = {
        {WM_SYSCOMMAND, 0x10, MAKELPARAM(3, 4), 0, {"syscommand", 0x10, MAKELPARAM(3, 4), 0}},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0, {"size", SIZE_MAXIMIZED, 640, 480}},
        {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), TRUE,
         {"setcursor", 0, HTCLIENT, WM_MOUSEMOVE}},
        // Coordinates are signed: off the left or top edge they are negative.
        {WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-5, 7), 0, {"mousemove", MK_SHIFT, -5, 7}},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, -3), 0, {"lbuttondown", MK_LBUTTON, 12, -3}},
        {WM_LBUTTONUP, 0, MAKELPARAM(30000, 2), 0, {"lbuttonup", 0, 30000, 2}},
        {WM_KEYDOWN, VK_SPACE, MAKELPARAM(3, 0x39), 0, {"keydown", VK_SPACE, 3, 0x39}},
        {WM_NCHITTEST, 0, MAKELPARAM(-100, 200), HTCAPTION, {"nchittest", -100, 200, 0}},
        {WM_SETFOCUS, 0x1234, 0, 0, {"setfocus", 0x1234, 0, 0}},
        {WM_KILLFOCUS, 0x5678, 0, 0, {"killfocus", 0x5678, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.call.handler);
        wnd.calls.clear();
        WPARAM wParam = row.wParam;
        if (row.message == WM_SETCURSOR)
            wParam = reinterpret_cast<WPARAM>(hWnd);
        LRESULT lResult = ::SendMessageW(hWnd, row.message, wParam, row.lParam);
        EXPECT_EQ(row.result, lResult);
        ASSERT_EQ(1u, wnd.calls.size());
        CRecordingWnd::Call expected = row.call;
        if (row.message == WM_SETCURSOR)
            expected.a = 1;
        EXPECT_EQ(expected.handler, wnd.calls[0].handler);
        EXPECT_EQ(expected.a, wnd.calls[0].a);
        EXPECT_EQ(expected.b, wnd.calls[0].b);
        EXPECT_EQ(expected.c, wnd.calls[0].c);
    }
    EXPECT_EQ(reinterpret_cast<LRESULT>(wnd.hDragIcon), ::SendMessageW(hWnd, WM_QUERYDRAGICON, 0, 0));

    ::DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

// Default() must pass on the message being handled, also after the handler sent
// other messages to the same window.
class CDefaultWnd : public CWnd {
public:
    int nInnerCalls = 0;

protected:
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        SendMessage(WM_APP + 7);
        return Default();
    }
    LRESULT OnInner(WPARAM, LPARAM)
    {
        ++nInnerCalls;
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDefaultWnd, CWnd)
    ON_MESSAGE(WM_SETTEXT, &CDefaultWnd::OnSetText)
    ON_MESSAGE(WM_APP + 7, &CDefaultWnd::OnInner)
END_MESSAGE_MAP()

TEST(MessageMap, DefaultPassesOnTheMessageBeingHandled)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    CDefaultWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wnd.SetWindowText("after the inner message");
    EXPECT_EQ(1, wnd.nInnerCalls);
    EXPECT_EQ("after the inner message", wintest::WindowText(hWnd));

    // Letting go of a live window gives it back its own procedure.
    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::SetWindowTextW(hWnd, L"unsubclassed");
    EXPECT_EQ(1, wnd.nInnerCalls);
    EXPECT_EQ("unsubclassed", wintest::WindowText(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(MessageMap, AWindowIsSubclassedByOneObjectOnly)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    {
        CDefaultWnd first;
        CDefaultWnd second;
        ASSERT_TRUE(first.SubclassWindow(hWnd));
        EXPECT_FALSE(second.SubclassWindow(hWnd));
        EXPECT_EQ(&first, CWnd::FromHandlePermanent(hWnd));
    }
    // The object went away first: the window works on without it.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::SetWindowTextW(hWnd, L"still alive");
    EXPECT_EQ("still alive", wintest::WindowText(hWnd));
    ::DestroyWindow(hWnd);
}

// Registered messages: one numbered before the table was first used (as a global
// initialised at start-up), one numbered only afterwards (as a window registers
// "TaskbarCreated" when it starts). The derived table's entry comes first.
UINT g_nTaskbarCreated = 0;

class CRegisteredBaseWnd : public CWnd {
public:
    std::vector<std::string> log;
    static inline UINT s_nLate = 0;

protected:
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam)
    {
        log.push_back("base taskbar " + std::to_string(wParam) + "/" + std::to_string(lParam));
        return 31;
    }
    LRESULT OnLate(WPARAM, LPARAM) { log.push_back("base late"); return 32; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRegisteredBaseWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_nTaskbarCreated, &CRegisteredBaseWnd::OnTaskbarCreated)
    ON_REGISTERED_MESSAGE(s_nLate, &CRegisteredBaseWnd::OnLate)
END_MESSAGE_MAP()

class CRegisteredDerivedWnd : public CRegisteredBaseWnd {
protected:
    LRESULT OnLateFirst(WPARAM, LPARAM) { log.push_back("derived late"); return 41; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRegisteredDerivedWnd, CRegisteredBaseWnd)
    ON_REGISTERED_MESSAGE(s_nLate, &CRegisteredDerivedWnd::OnLateFirst)
END_MESSAGE_MAP()

TEST(MessageMap, RegisteredMessagesAreFoundByTheirNumberAtTheTimeTheyArrive)
{
    g_nTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(0u, g_nTaskbarCreated);
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    CRegisteredDerivedWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));

    // Not registered yet: the entry matches nothing, not even message 0.
    EXPECT_EQ(0, ::SendMessageW(hWnd, WM_NULL, 0, 0));
    EXPECT_EQ(31, ::SendMessageW(hWnd, g_nTaskbarCreated, 5, 6));
    CRegisteredBaseWnd::s_nLate = ::RegisterWindowMessageW(L"Tosvik.FrameworkTest.Late");
    ASSERT_NE(0u, CRegisteredBaseWnd::s_nLate);
    EXPECT_EQ(41, ::SendMessageW(hWnd, CRegisteredBaseWnd::s_nLate, 0, 0));
    // A registered message of no entry gets the window's own processing.
    UINT nOther = ::RegisterWindowMessageW(L"Tosvik.FrameworkTest.Other");
    EXPECT_EQ(0, ::SendMessageW(hWnd, nOther, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"base taskbar 5/6", "derived late"}), wnd.log);

    ::DestroyWindow(hWnd);
    CRegisteredBaseWnd::s_nLate = 0;
}

}  // namespace
