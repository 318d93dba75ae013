// The main dialog's notification-area icon, tray menu, system-menu About, the
// instructions button and the window's icon, driven with real messages while the
// dialog runs its modal loop. The tests run inside a Wine desktop with a taskbar, so
// the shell really takes the icon unless a test answers for it.
#include "app/InstructionsDialog.h"
#include "app/MainDialog.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"
#include "tests/win/dialogs/ShellNotifyRecorder.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <cwchar>

namespace {

using wintest::WaitFor;

const UINT kTrayMessage = WM_USER + 1;

bool Visible(HWND hWnd)
{
    return ::IsWindowVisible(hWnd) != FALSE;
}

void ExpectTrayRecord(const ShellNotifyRecorder::Call& call, DWORD dwMessage, HWND hDlg)
{
    EXPECT_EQ(dwMessage, call.message);
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, call.record.cbSize);
    EXPECT_EQ(hDlg, call.record.hWnd);
    EXPECT_EQ(130u, call.record.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON), call.record.uFlags);
    EXPECT_EQ(kTrayMessage, call.record.uCallbackMessage);
    EXPECT_NE(nullptr, call.record.hIcon);
    EXPECT_EQ('\0', call.record.szTip[0]);
}

bool SameRecord(const ShellNotifyRecorder::Call& a, const ShellNotifyRecorder::Call& b)
{
    return std::memcmp(&a.record, &b.record, sizeof(a.record)) == 0;
}

struct MenuItem {
    CString text;
    UINT nID;
    bool bSeparator;
    bool operator==(const MenuItem& other) const
    {
        return text == other.text && nID == other.nID && bSeparator == other.bSeparator;
    }
};

std::ostream& operator<<(std::ostream& os, const MenuItem& item)
{
    return os << (item.bSeparator ? CString("separator") : item.text + " " + std::to_string(item.nID));
}

std::vector<MenuItem> ReadMenu(HMENU hMenu)
{
    std::vector<MenuItem> items;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        wchar_t szText[64] = L"";
        int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(i), szText, 64, MF_BYPOSITION);
        bool bSeparator = (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        items.push_back({Narrow(szText, static_cast<std::size_t>((std::max)(nLength, 0))),
                         bSeparator ? 0u : ::GetMenuItemID(hMenu, i), bSeparator});
    }
    return items;
}

// The About box's texts, the same from either menu.
void ExpectAboutBox(HWND hAbout)
{
    EXPECT_EQ("关于 Tosvik", wintest::WindowText(hAbout));
    HWND hIcon = ::GetWindow(hAbout, GW_CHILD);
    EXPECT_NE(0, ::SendMessageW(hIcon, STM_GETICON, 0, 0)) << "the program's icon";
    HWND hName = ::GetWindow(hIcon, GW_HWNDNEXT);
    EXPECT_EQ("Tosvik 2.0 优盘版", wintest::WindowText(hName));
    EXPECT_NE(0u, ::GetWindowLongPtrW(hName, GWL_STYLE) & SS_NOPREFIX);
    EXPECT_EQ("确定", wintest::WindowText(::GetDlgItem(hAbout, IDOK)));
    EXPECT_NE("", wintest::WindowText(::GetDlgItem(hAbout, IDC_ABOUT_DESIGNER_TEXT)));
}

class MainDialogMenusTest : public ::testing::Test {
protected:
    MainDialogMenusTest() { m_app.m_pMainWnd = &m_dlg; }

    // Runs the main dialog modally while script drives it from another thread, then
    // ends whatever the script left open. Returns DoModal's result.
    INT_PTR Run(const std::function<void(HWND)>& script)
    {
        INT_PTR nResult = wintest::DriveModal([&] { return m_dlg.DoModal(); }, [&](HWND hDlg) {
            script(hDlg);
            EndEverything(hDlg);
        });
        // An icon the test left behind would stay in the desktop's notification area;
        // removing one that is not there does no harm.
        for (ShellNotifyRecorder::Call& call : m_shell.Calls()) {
            if (call.message == NIM_ADD) {
                ::Shell_NotifyIconA(NIM_DELETE, &call.record);
                break;
            }
        }
        return nResult;
    }

    void EndEverything(HWND hDlg)
    {
        for (int i = 0; i < 50 && ::IsWindow(hDlg); ++i) {
            if (HWND hMenu = wintest::FindThreadWindow(m_nThreadId, "#32768"))
                ::PostMessageW(hMenu, WM_KEYDOWN, VK_ESCAPE, 0);
            else if (HWND hOther = wintest::FindThreadWindow(m_nThreadId, "#32770", hDlg))
                ::PostMessageW(hOther, WM_COMMAND, IDCANCEL, 0);
            else
                ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
            ::Sleep(100);
        }
    }

    void Minimise(HWND hDlg) { ::SendMessageW(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

    // A mouse message over the icon that must be handled at once, not open a menu.
    void TrayMouse(HWND hDlg, UINT nMouseMessage)
    {
        DWORD_PTR nResult = 0;
        EXPECT_NE(0, ::SendMessageTimeoutW(hDlg, kTrayMessage, 130, nMouseMessage, SMTO_NORMAL,
                                           3000, &nResult))
            << "mouse message " << nMouseMessage << " did not return";
    }

    // Presses the right button over the icon, with the pointer at (x, y), and waits
    // for the menu's window.
    HWND OpenTrayMenu(HWND hDlg, int x = 400, int y = 300)
    {
        // Wine warps the X pointer after it records the position, and a motion event
        // still on its way can move it back: wait until the position holds.
        int nSteady = 0;
        WaitFor([&] {
            ::SetCursorPos(x, y);
            POINT pt;
            nSteady = ::GetCursorPos(&pt) && pt.x == x && pt.y == y ? nSteady + 1 : 0;
            return nSteady >= 3;
        });
        ::PostMessageW(hDlg, kTrayMessage, 130, WM_RBUTTONDOWN);
        return wintest::WaitForThreadWindow(m_nThreadId, "#32768", 5000);
    }

    // Chooses the nth item (from 1, separators skipped) with the keyboard.
    void ChooseFromTrayMenu(HWND hDlg, int nItem)
    {
        HWND hMenu = OpenTrayMenu(hDlg);
        ASSERT_NE(nullptr, hMenu) << "no tray menu";
        for (int i = 0; i < nItem; ++i)
            ::PostMessageW(hMenu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(hMenu, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hMenu) || !Visible(hMenu); }));
    }

    HWND WaitForAbout(HWND hDlg) { return wintest::WaitForThreadWindow(m_nThreadId, "#32770", 5000, hDlg); }

    void CloseAbout(HWND hAbout)
    {
        wintest::Click(hAbout, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAbout); })) << "确定 closes the About box";
    }

    DWORD m_nThreadId = ::GetCurrentThreadId();
    ShellNotifyRecorder m_shell;
    CWinApp m_app;
    CMainDialog m_dlg;
};

TEST_F(MainDialogMenusTest, MinimiseHidesTheWindowAndAddsOneIcon)
{
    Run([&](HWND hDlg) {
        Minimise(hDlg);
        EXPECT_FALSE(Visible(hDlg));
        std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
        ASSERT_EQ(1u, calls.size());
        ExpectTrayRecord(calls[0], NIM_ADD, hDlg);
        EXPECT_TRUE(calls[0].result) << "the desktop's notification area took the icon";
    });
}

TEST_F(MainDialogMenusTest, OnlyADoubleClickRestoresAndRemovesTheIcon)
{
    Run([&](HWND hDlg) {
        // Nothing to restore yet.
        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        ::SendMessageW(hDlg, WM_COMMAND, ID_TRAY_RESTORE, 0);
        EXPECT_TRUE(m_shell.Calls().empty());

        Minimise(hDlg);
        for (UINT nMouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
            TrayMouse(hDlg, nMouse);
        EXPECT_FALSE(Visible(hDlg));
        EXPECT_EQ(1u, m_shell.Calls().size());

        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(Visible(hDlg));
        EXPECT_FALSE(::IsIconic(hDlg));
        EXPECT_FALSE(::IsZoomed(hDlg));
        std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
        ASSERT_EQ(2u, calls.size());
        ExpectTrayRecord(calls[1], NIM_DELETE, hDlg);
        EXPECT_TRUE(SameRecord(calls[0], calls[1]));
        EXPECT_TRUE(calls[1].result) << "the icon was there to remove";

        // Shown again: a second double-click and the menu's restore do nothing.
        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        ::SendMessageW(hDlg, WM_COMMAND, ID_TRAY_RESTORE, 0);
        EXPECT_EQ(2u, m_shell.Calls().size());
    });
}

TEST_F(MainDialogMenusTest, TrayMenuListsItsItemsUnderThePointerAndRestores)
{
    Run([&](HWND hDlg) {
        Minimise(hDlg);
        HWND hMenu = OpenTrayMenu(hDlg, 400, 300);
        ASSERT_NE(nullptr, hMenu) << "a right-button press opens the tray menu";

        HMENU hPopup = reinterpret_cast<HMENU>(::SendMessageW(hMenu, MN_GETHMENU, 0, 0));
        const std::vector<MenuItem> expected = {
            {"恢复", ID_TRAY_RESTORE, false},
            {"关于", ID_TRAY_ABOUT, false},
            {"", 0, true},
            {"退出", ID_TRAY_EXIT, false},
        };
        EXPECT_EQ(expected, ReadMenu(hPopup));

        // Centred horizontally on the pointer, top edge at the pointer.
        RECT rc;
        ::GetWindowRect(hMenu, &rc);
        EXPECT_LE(std::abs((rc.left + rc.right) / 2 - 400), 1) << rc.left << ".." << rc.right;
        EXPECT_EQ(300, rc.top);

        ::PostMessageW(hMenu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(hMenu, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(WaitFor([&] { return Visible(hDlg); })) << "恢复 shows the window";
        std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
        ASSERT_EQ(2u, calls.size());
        ExpectTrayRecord(calls[1], NIM_DELETE, hDlg);
        EXPECT_FALSE(::IsIconic(hDlg));
    });
}

TEST_F(MainDialogMenusTest, AboutFromTheTrayLeavesTheWindowHidden)
{
    Run([&](HWND hDlg) {
        Minimise(hDlg);
        ChooseFromTrayMenu(hDlg, 2);
        HWND hAbout = WaitForAbout(hDlg);
        ASSERT_NE(nullptr, hAbout) << "关于 shows the About box";
        ExpectAboutBox(hAbout);
        EXPECT_FALSE(Visible(hDlg));
        CloseAbout(hAbout);
        EXPECT_FALSE(Visible(hDlg));
        EXPECT_EQ(1u, m_shell.Calls().size()) << "the icon stays";

        // The menu still works afterwards.
        ChooseFromTrayMenu(hDlg, 1);
        EXPECT_TRUE(WaitFor([&] { return Visible(hDlg); }));
        EXPECT_EQ(2u, m_shell.Calls().size());
    });
}

// The icon still answers while the About box it opened is up; exiting then takes
// the About box down with the window.
class MainDialogTrayExit : public MainDialogMenusTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MainDialogTrayExit, RemovesTheIconAndEndsTheDialog)
{
    const bool bAboutOpen = GetParam();
    HWND hMain = nullptr, hAbout = nullptr;
    INT_PTR nResult = Run([&](HWND hDlg) {
        hMain = hDlg;
        Minimise(hDlg);
        if (bAboutOpen) {
            ChooseFromTrayMenu(hDlg, 2);
            hAbout = WaitForAbout(hDlg);
            ASSERT_NE(nullptr, hAbout);
        }
        ChooseFromTrayMenu(hDlg, 3);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hDlg); }));
    });
    EXPECT_EQ(-1, nResult) << "the modal loop ended on the window's destruction";
    EXPECT_FALSE(::IsWindow(hMain));
    EXPECT_FALSE(bAboutOpen && ::IsWindow(hAbout));
    std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
    ASSERT_EQ(2u, calls.size());
    ExpectTrayRecord(calls[1], NIM_DELETE, hMain);
    EXPECT_TRUE(SameRecord(calls[0], calls[1]));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAbout, MainDialogTrayExit, ::testing::Bool());

TEST_F(MainDialogMenusTest, SystemMenuAboutShowsTheAboutBoxAndCloseStillEnds)
{
    INT_PTR nResult = Run([&](HWND hDlg) {
        ::PostMessageW(hDlg, WM_SYSCOMMAND, IDM_ABOUT_COMMAND, 0);
        HWND hAbout = WaitForAbout(hDlg);
        ASSERT_NE(nullptr, hAbout) << "the system menu's About item shows the About box";
        ExpectAboutBox(hAbout);
        EXPECT_FALSE(::IsWindowEnabled(hDlg)) << "the About box is modal to the main dialog";
        CloseAbout(hAbout);
        EXPECT_TRUE(::IsWindowEnabled(hDlg));
        EXPECT_TRUE(Visible(hDlg));

        // Other system commands keep their default processing.
        ::SendMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_TRUE(m_shell.Calls().empty());
}

// Maximising, the drag icon and the instructions button: none of them involves
// the notification area.
TEST_F(MainDialogMenusTest, MaximiseDragIconAndInstructionsCallNoShell)
{
    Run([&](HWND hDlg) {
        ::SendMessageW(hDlg, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(::IsZoomed(hDlg));
        EXPECT_TRUE(Visible(hDlg));

        LRESULT hDragIcon = ::SendMessageW(hDlg, WM_QUERYDRAGICON, 0, 0);
        EXPECT_NE(0, hDragIcon);
        EXPECT_EQ(::SendMessageW(hDlg, WM_GETICON, ICON_BIG, 0), hDragIcon) << "the window's own icon";

        ::PostMessageW(::GetDlgItem(hDlg, IDC_SHOW_INSTRUCTIONS), BM_CLICK, 0, 0);
        HWND hInfo = wintest::WaitForThreadWindow(m_nThreadId, "#32770", 5000, hDlg);
        ASSERT_NE(nullptr, hInfo) << "查看说明 shows the instructions";
        EXPECT_FALSE(::IsWindowEnabled(hDlg));
        EXPECT_EQ(CString(CInstructionsDialog::s_szText),
                  wintest::WindowText(::GetDlgItem(hInfo, IDC_INSTRUCTIONS_TEXT)));
        wintest::Click(hInfo, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hInfo); }));

        EXPECT_TRUE(m_shell.Calls().empty());
    });
}

struct TipSearch {
    HWND hLink;
    std::wstring strText;
    bool bFound;
};

BOOL CALLBACK ReadLinkTip(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<TipSearch*>(lParam);
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hWnd, szClass, 64);
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = pSearch->hLink;
    ti.uId = 1;
    if (::lstrcmpiW(szClass, TOOLTIPS_CLASSW) != 0 || !::SendMessageW(hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)))
        return TRUE;
    ti.lpszText = &pSearch->strText[0];
    ::SendMessageW(hWnd, TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&ti));
    pSearch->bFound = true;
    return FALSE;
}

// The text of the tool hLink in a tooltip of thread nThread: a link's target.
CString LinkTarget(DWORD nThread, HWND hLink)
{
    TipSearch search = {hLink, std::wstring(INFOTIPSIZE + 1, L'\0'), false};
    ::EnumThreadWindows(nThread, &ReadLinkTip, reinterpret_cast<LPARAM>(&search));
    if (!search.bFound)
        return "(no tooltip)";
    return Narrow(search.strText.c_str(), std::wcslen(search.strText.c_str()));
}

// What the mail link shows, what it opens and what the instructions ask for.
TEST_F(MainDialogMenusTest, OneMailAddressIsShownOpenedAndNamed)
{
    Run([&](HWND hDlg) {
        HWND hMail = ::GetDlgItem(hDlg, IDC_MAIL_LINK);
        const CString strTarget = LinkTarget(m_nThreadId, hMail);
        const CString strScheme = "mailto:";
        ASSERT_EQ(strScheme, strTarget.substr(0, strScheme.size())) << strTarget;
        const CString strAddress = strTarget.substr(strScheme.size());
        ASSERT_NE(CString::npos, strAddress.find('@')) << strTarget;
        EXPECT_EQ("email:" + strAddress, wintest::WindowText(hMail));
        EXPECT_NE(CString::npos, CString(CInstructionsDialog::s_szText).find("：" + strAddress + "\r\n"));
    });
}

// If the icon cannot be added, hiding the window would leave no way back to it.
TEST_F(MainDialogMenusTest, FailedIconAddLeavesTheWindowShownMinimised)
{
    m_shell.AnswerWith(FALSE);
    Run([&](HWND hDlg) {
        Minimise(hDlg);
        EXPECT_TRUE(Visible(hDlg));
        EXPECT_TRUE(::IsIconic(hDlg));
        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
        ASSERT_EQ(1u, calls.size()) << "no icon to remove";
        ExpectTrayRecord(calls[0], NIM_ADD, hDlg);
    });
}

// A restarted taskbar has lost the icon; the hidden window must put it back.
TEST_F(MainDialogMenusTest, TaskbarCreatedAddsTheLostIconAgainWhileHidden)
{
    const UINT nTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    Run([&](HWND hDlg) {
        ::SendMessageW(hDlg, nTaskbarCreated, 0, 0);
        EXPECT_TRUE(m_shell.Calls().empty()) << "no icon while shown";

        Minimise(hDlg);
        // Announced while the icon is still there: it stays, and so does the window.
        ::SendMessageW(hDlg, nTaskbarCreated, 0, 0);
        EXPECT_FALSE(Visible(hDlg));

        // The taskbar forgets the icon behind the program's back, then announces itself.
        NOTIFYICONDATAA nid = m_shell.Calls().at(0).record;
        ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
        std::size_t nBefore = m_shell.Calls().size();
        ::SendMessageW(hDlg, nTaskbarCreated, 0, 0);
        std::vector<ShellNotifyRecorder::Call> calls = m_shell.Calls();
        ASSERT_EQ(nBefore + 1, calls.size());
        ExpectTrayRecord(calls.back(), NIM_ADD, hDlg);
        EXPECT_TRUE(SameRecord(calls[0], calls.back()));
        EXPECT_TRUE(calls.back().result);
        EXPECT_FALSE(Visible(hDlg));

        // The icon came back working: a double-click restores and removes it.
        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(Visible(hDlg));
        calls = m_shell.Calls();
        EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), calls.back().message);
        EXPECT_TRUE(calls.back().result);
    });
}

TEST_F(MainDialogMenusTest, TaskbarCreatedShowsTheWindowWhenTheIconCannotComeBack)
{
    Run([&](HWND hDlg) {
        Minimise(hDlg);
        ASSERT_FALSE(Visible(hDlg));
        m_shell.AnswerWith(FALSE);
        ::SendMessageW(hDlg, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(Visible(hDlg));
        // Shown for good: the icon that never came back is not removed.
        TrayMouse(hDlg, WM_LBUTTONDBLCLK);
        EXPECT_EQ(3u, m_shell.Calls().size());
    });
}

}  // namespace
