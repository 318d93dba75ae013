// The link control on a real dialog under Wine: real statics, real messages, real
// mouse and keyboard input where the behaviour depends on where input goes.
#include "controls/HyperLink.h"
#include "tests/engine/TestFiles.h"
#include "tests/win/controls/LinkTestDialog.h"
#include "tests/win/controls/LinkTestUtil.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const DWORD kDefaultOptions = HLO_UNDERLINE | HLO_FIT_TEXT | HLO_FOCUS_ON_CLICK;
// No program is registered for this scheme: opening it fails with code 31.
const char kUnopenable[] = "tosvikunreg:page";
const char kNoAssocBox[] =
    "Can't open link:\n\nThere is no application associated\nwith the given filename extension.";

// A link whose state the test can set up and read.
class CTestLink : public CHyperLink {
public:
    CTestLink() = default;
    explicit CTestLink(DWORD dwOptions) { m_dwOptions = dwOptions; }

    using CHyperLink::m_bHot;
    using CHyperLink::m_bOpened;
    using CHyperLink::m_bSelected;
    using CHyperLink::m_dwOptions;
    using CHyperLink::m_fontLink;
    using CHyperLink::m_strTarget;
    using CHyperLink::m_tipCtrl;
};

void RunDialog(const std::function<void(CLinkTestDialog&)>& body)
{
    CLinkTestDialog dlg(body);
    EXPECT_EQ(IDOK, dlg.DoModal());
}

// A static of the dialog's font made at run time, for sizes the template does not have.
HWND CreateStatic(CWnd& dlg, LPCSTR pszText, DWORD dwStyle, int x, int y, int cx, int cy,
                  bool bWithFont = true)
{
    HWND hStatic = ::CreateWindowExA(0, "STATIC", pszText, WS_CHILD | WS_VISIBLE | dwStyle,
                                     x, y, cx, cy, dlg.m_hWnd, nullptr, nullptr, nullptr);
    if (bWithFont)
        ::SendMessageA(hStatic, WM_SETFONT, ::SendMessageA(dlg.m_hWnd, WM_GETFONT, 0, 0), FALSE);
    return hStatic;
}

CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

CRect ClientRect(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    return rc;
}

SIZE TextExtentIn(HFONT hFont, const std::string& strText)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, strText.c_str(), static_cast<int>(strText.size()), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size;
}

// The window text measured in the window's own font.
SIZE TextExtent(HWND hWnd)
{
    return TextExtentIn(reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)),
                        wintest::WindowText(hWnd));
}

std::string ToolText(HWND hTip, HWND hTool)
{
    char szText[1024] = "";
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = hTool;
    ti.uId = 1;
    ti.lpszText = szText;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof szText, reinterpret_cast<LPARAM>(&ti));
    return szText;
}

bool IsInvalid(HWND hWnd)
{
    return ::GetUpdateRect(hWnd, nullptr, FALSE) != FALSE;
}

struct ColourQuery {
    COLORREF crText;
    int nBkMode;
    HBRUSH hBrush;
};

// The colour query as the static sends it when it draws, to the dialog, which hands
// it to the link.
ColourQuery QueryColour(CWnd& dlg, HWND hLink)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(hDC, RGB(1, 2, 3));
    ::SetBkMode(hDC, OPAQUE);
    LRESULT lResult = ::SendMessageA(dlg.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                     reinterpret_cast<LPARAM>(hLink));
    ColourQuery query = {::GetTextColor(hDC), ::GetBkMode(hDC), reinterpret_cast<HBRUSH>(lResult)};
    ::DeleteDC(hDC);
    return query;
}

// Real input, through the system's input queue.
void MouseTo(POINT ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ptScreen.x * 65536 / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = ptScreen.y * 65536 / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void MouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof input);
}

void Key(WORD wVk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

// Lets queued input arrive and be handled: until done() holds, or for a while when
// what must not happen is checked.
void Settle(const std::function<bool()>& done = [] { return false; })
{
    wintest::PumpUntil(done, 1000);
}

POINT ScreenPoint(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    return pt;
}

TEST(HyperLink, ColourFollowsTheState)
{
    const COLORREF kBlue = RGB(0, 0, 255), kTeal = RGB(0, 128, 128),
                   kPurple = RGB(128, 0, 128), kRed = RGB(255, 0, 0);
    struct Case {
        DWORD dwOptions;
        BOOL bHot, bSelected, bOpened;
        COLORREF crExpected;
    };
    const std::vector<Case> cases = {
        {kDefaultOptions, FALSE, FALSE, FALSE, kBlue},
        {kDefaultOptions, TRUE, FALSE, FALSE, kBlue},
        {kDefaultOptions, FALSE, FALSE, TRUE, kPurple},
        {kDefaultOptions, FALSE, TRUE, FALSE, kTeal},
        {kDefaultOptions, TRUE, TRUE, TRUE, kTeal},
        {kDefaultOptions | HLO_HOT_COLOUR, TRUE, FALSE, FALSE, kRed},
        {kDefaultOptions | HLO_HOT_COLOUR, TRUE, TRUE, TRUE, kRed},
        {kDefaultOptions | HLO_HOT_COLOUR, FALSE, TRUE, TRUE, kTeal},
        {kDefaultOptions | HLO_NO_SELECTED_COLOUR, FALSE, TRUE, TRUE, kPurple},
        {kDefaultOptions | HLO_NO_SELECTED_COLOUR, FALSE, TRUE, FALSE, kBlue},
    };

    RunDialog([&](CLinkTestDialog& dlg) {
        CTestLink link;
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "options " << c.dwOptions << " hot " << c.bHot
                                            << " selected " << c.bSelected << " opened "
                                            << c.bOpened);
            link.m_dwOptions = c.dwOptions;
            link.m_bHot = c.bHot;
            link.m_bSelected = c.bSelected;
            link.m_bOpened = c.bOpened;

            ColourQuery query = QueryColour(dlg, link.m_hWnd);
            EXPECT_EQ(c.crExpected, query.crText);
            EXPECT_EQ(TRANSPARENT, query.nBkMode);
            EXPECT_EQ(::GetStockObject(NULL_BRUSH), query.hBrush);
        }
    });
}

TEST(HyperLink, StateFollowsMouseFocusAndMarks)
{
    RunDialog([](CLinkTestDialog& dlg) {
        CTestLink link;
        EXPECT_EQ(0x15u, link.m_dwOptions);
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);
        ::SetFocus(hEdit);
        EXPECT_FALSE(link.m_bHot);
        EXPECT_FALSE(link.m_bSelected);
        EXPECT_FALSE(link.m_bOpened);

        EXPECT_EQ(HTCLIENT, ::SendMessageA(link.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(5000, 5000)));

        ::ValidateRect(link.m_hWnd, nullptr);
        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(link.m_bHot);
        EXPECT_EQ(link.m_hWnd, ::GetCapture());
        EXPECT_TRUE(IsInvalid(link.m_hWnd));

        ::ValidateRect(link.m_hWnd, nullptr);
        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 2));
        EXPECT_TRUE(link.m_bHot);
        EXPECT_EQ(link.m_hWnd, ::GetCapture());
        EXPECT_FALSE(IsInvalid(link.m_hWnd));

        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-4, 2));
        EXPECT_FALSE(link.m_bHot);
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_TRUE(IsInvalid(link.m_hWnd));

        ::ValidateRect(link.m_hWnd, nullptr);
        link.SetFocus();
        EXPECT_TRUE(link.m_bSelected);
        EXPECT_TRUE(IsInvalid(link.m_hWnd));

        // Losing the focus clears hot as well but leaves the capture alone.
        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        ::ValidateRect(link.m_hWnd, nullptr);
        ::SetFocus(hEdit);
        EXPECT_FALSE(link.m_bSelected);
        EXPECT_FALSE(link.m_bHot);
        EXPECT_EQ(link.m_hWnd, ::GetCapture());
        EXPECT_TRUE(IsInvalid(link.m_hWnd));
        ::ReleaseCapture();

        ::ValidateRect(link.m_hWnd, nullptr);
        link.MarkOpened(TRUE);
        EXPECT_TRUE(link.m_bOpened);
        EXPECT_FALSE(IsInvalid(link.m_hWnd));
        link.MarkOpened(FALSE);
        EXPECT_FALSE(link.m_bOpened);
    });
}

TEST(HyperLink, PressTakesTheFocusOnlyWhenAsked)
{
    RunDialog([](CLinkTestDialog& dlg) {
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);
        struct Case {
            int nID;
            DWORD dwOptions;
            bool bTakesFocus;
        };
        for (const Case& c : {Case{IDC_LINK_LEFT, kDefaultOptions, true},
                              Case{IDC_LINK_RIGHT, HLO_UNDERLINE | HLO_FIT_TEXT, false}}) {
            CTestLink link(c.dwOptions);
            ASSERT_TRUE(link.SubclassDlgItem(c.nID, &dlg));
            ::SetFocus(hEdit);

            link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));

            EXPECT_EQ(c.bTakesFocus ? link.m_hWnd : hEdit, ::GetFocus());
            EXPECT_TRUE(link.m_bSelected);
        }
    });
}

TEST(HyperLink, FitsItsTextByAlignment)
{
    struct Case {
        const char* pszWhat;
        DWORD dwStyle;
        int nExtraWidth;  // beyond the text, before fitting
        int nExtraHeight;
    };
    const std::vector<Case> cases = {
        {"left", SS_LEFT, 40, 9},
        {"left with border", SS_LEFT | WS_BORDER, 40, 9},
        {"right", SS_RIGHT, 40, 9},
        {"right, narrower than its text", SS_RIGHT, -10, 0},
        {"centred, even difference", SS_CENTER, 40, 9},
        {"centred, odd difference", SS_CENTER, 41, 9},
        {"centred, odd and narrower", SS_CENTER, -11, 0},
        {"centred vertically, even", SS_LEFT | SS_CENTERIMAGE, 40, 10},
        {"centred vertically, odd", SS_LEFT | SS_CENTERIMAGE, 40, 11},
        {"centred both ways", SS_CENTER | SS_CENTERIMAGE, 41, 11},
    };
    RunDialog([&](CLinkTestDialog& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.pszWhat);
            HWND hStatic = CreateStatic(dlg, "链接 link", c.dwStyle, 20, 20, 10, 10);
            // Sized from the text in the link font, so the differences are exact.
            LOGFONTA lf = {};
            ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hStatic, WM_GETFONT, 0, 0)),
                         sizeof lf, &lf);
            lf.lfUnderline = 1;
            HFONT hUnderlined = ::CreateFontIndirectA(&lf);
            SIZE text = TextExtentIn(hUnderlined, "链接 link");
            ::DeleteObject(hUnderlined);
            CRect rcBorder = RectInParent(hStatic);
            int bx = rcBorder.Width() - ClientRect(hStatic).Width();
            int by = rcBorder.Height() - ClientRect(hStatic).Height();
            ::MoveWindow(hStatic, 20, 20, text.cx + c.nExtraWidth + bx,
                         text.cy + c.nExtraHeight + by, FALSE);
            CRect rcBefore = RectInParent(hStatic);

            CTestLink link;
            ASSERT_TRUE(link.SubclassWindow(hStatic));

            CRect rcAfter = RectInParent(hStatic);
            CRect rcClient = ClientRect(hStatic);
            EXPECT_EQ(text.cx, TextExtent(hStatic).cx);
            int dx = c.nExtraWidth / 2;  // truncated toward zero, like the fitting
            int dy = c.nExtraHeight / 2;
            if (c.dwStyle & SS_CENTER) {
                EXPECT_EQ(rcBefore.left + dx, rcAfter.left);
                EXPECT_EQ(text.cx + c.nExtraWidth - 2 * dx, rcClient.Width());
            } else if (c.dwStyle & SS_RIGHT) {
                EXPECT_EQ(rcBefore.right, rcAfter.right);
                EXPECT_EQ(text.cx, rcClient.Width());
            } else {
                EXPECT_EQ(rcBefore.left, rcAfter.left);
                EXPECT_EQ(text.cx, rcClient.Width());
            }
            if (c.dwStyle & SS_CENTERIMAGE) {
                EXPECT_EQ(rcBefore.top + dy, rcAfter.top);
                EXPECT_EQ(text.cy + c.nExtraHeight - 2 * dy, rcClient.Height());
            } else {
                EXPECT_EQ(rcBefore.top, rcAfter.top);
                EXPECT_EQ(text.cy, rcClient.Height());
            }
            ::DestroyWindow(hStatic);
        }
    });
}

TEST(HyperLink, TemplateLinksAreUnderlinedAndFitted)
{
    RunDialog([](CLinkTestDialog& dlg) {
        HWND hStatic = ::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT);
        CRect rcBefore = RectInParent(hStatic);
        HFONT hDialogFont = reinterpret_cast<HFONT>(::SendMessageA(hStatic, WM_GETFONT, 0, 0));

        CTestLink link;
        ASSERT_TRUE(link.SubclassWindow(hStatic));

        HFONT hFont = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
        EXPECT_EQ(link.m_fontLink.GetSafeHandle(), hFont);
        LOGFONTA lfDialog = {}, lfLink = {};
        ::GetObjectA(hDialogFont, sizeof lfDialog, &lfDialog);
        ::GetObjectA(hFont, sizeof lfLink, &lfLink);
        EXPECT_EQ(1, lfLink.lfUnderline);
        EXPECT_EQ(lfDialog.lfHeight, lfLink.lfHeight);
        EXPECT_STREQ(lfDialog.lfFaceName, lfLink.lfFaceName);

        CRect rcAfter = RectInParent(hStatic);
        SIZE text = TextExtent(hStatic);
        EXPECT_EQ(rcBefore.left, rcAfter.left);
        EXPECT_EQ(rcBefore.top, rcAfter.top);
        EXPECT_EQ(text.cx, rcAfter.Width());
        EXPECT_EQ(text.cy, rcAfter.Height());
        EXPECT_LT(rcAfter.Width(), rcBefore.Width());

        // Without the underline bit the copy is plain; without the fit bit nothing moves.
        CTestLink plain(HLO_FOCUS_ON_CLICK);
        HWND hRight = ::GetDlgItem(dlg.m_hWnd, IDC_LINK_RIGHT);
        CRect rcRight = RectInParent(hRight);
        ASSERT_TRUE(plain.SubclassWindow(hRight));
        ::GetObjectA(plain.m_fontLink.GetSafeHandle(), sizeof lfLink, &lfLink);
        EXPECT_EQ(0, lfLink.lfUnderline);
        EXPECT_EQ(rcRight.left, RectInParent(hRight).left);
        EXPECT_EQ(rcRight.Width(), RectInParent(hRight).Width());
    });
}

TEST(HyperLink, StaticWithoutFontIsLeftAsItIs)
{
    RunDialog([](CLinkTestDialog& dlg) {
        HWND hStatic = CreateStatic(dlg, "no font", SS_LEFT, 20, 20, 200, 30, false);
        ASSERT_EQ(0, ::SendMessageA(hStatic, WM_GETFONT, 0, 0));

        CTestLink link;
        ASSERT_TRUE(link.SubclassWindow(hStatic));

        EXPECT_EQ(0u, link.m_dwOptions & HLO_FIT_TEXT);
        EXPECT_EQ(nullptr, link.m_fontLink.GetSafeHandle());
        EXPECT_EQ(0, link.SendMessage(WM_GETFONT));
        EXPECT_EQ(200, RectInParent(hStatic).Width());
        EXPECT_EQ(30, RectInParent(hStatic).Height());

        link.SetTarget("still not resized");
        EXPECT_EQ(200, RectInParent(hStatic).Width());
        ::DestroyWindow(hStatic);
    });
}

TEST(HyperLink, TargetAndTextOnAttachment)
{
    struct Case {
        const char* pszWhat;
        int nID;
        const char* pszTargetBefore;  // null: none set
        std::string strText;          // window text after attaching
        std::string strTarget;
    };
    const std::vector<Case> cases = {
        {"template text becomes the target", IDC_LINK_LEFT, nullptr, "左边的链接 left",
         "左边的链接 left"},
        {"a target set before survives", IDC_LINK_RIGHT, "mailto:tosvik@example.com",
         "右边的链接 right", "mailto:tosvik@example.com"},
        {"empty text shows the target", IDC_LINK_EMPTY, "http://www.example.com/",
         "http://www.example.com/", "http://www.example.com/"},
        {"empty text and no target stay empty", IDC_LINK_EMPTY, nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        RunDialog([&](CLinkTestDialog& dlg) {
            CTestLink link;
            if (c.pszTargetBefore != nullptr)
                link.SetTarget(c.pszTargetBefore);
            ASSERT_TRUE(link.SubclassDlgItem(c.nID, &dlg));

            EXPECT_EQ(c.strText, wintest::WindowText(link.m_hWnd));
            EXPECT_EQ(c.strTarget, link.m_strTarget);
            EXPECT_EQ(c.strTarget, ToolText(link.m_tipCtrl.m_hWnd, link.m_hWnd));
        });
    }
}

TEST(HyperLink, SetTargetUpdatesTipAndShowsTheLink)
{
    RunDialog([](CLinkTestDialog& dlg) {
        CTestLink link;
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        link.ShowWindow(SW_HIDE);
        // A longer text than at attachment: setting the target fits the window again.
        link.SetWindowText("a much longer text than the template had");

        link.SetTarget("http://www.example.com/new");

        EXPECT_TRUE(link.IsWindowVisible());
        EXPECT_EQ("http://www.example.com/new", link.m_strTarget);
        EXPECT_EQ("http://www.example.com/new", ToolText(link.m_tipCtrl.m_hWnd, link.m_hWnd));
        EXPECT_EQ("a much longer text than the template had", wintest::WindowText(link.m_hWnd));
        EXPECT_EQ(TextExtent(link.m_hWnd).cx, ClientRect(link.m_hWnd).Width());
    });
}

TEST(HyperLink, MessagesReachTheTooltipFirst)
{
    static std::vector<std::pair<WPARAM, LPARAM>> s_relayed;
    static WNDPROC s_pfnTip = nullptr;
    RunDialog([](CLinkTestDialog& dlg) {
        CTestLink link;
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        HWND hTip = link.m_tipCtrl.m_hWnd;
        ASSERT_NE(nullptr, hTip);
        s_relayed.clear();
        s_pfnTip = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            hTip, GWLP_WNDPROC,
            reinterpret_cast<LONG_PTR>(+[](HWND hWnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) -> LRESULT {
                if (message == TTM_RELAYEVENT)
                    s_relayed.push_back({wParam, lParam});
                return ::CallWindowProcA(s_pfnTip, hWnd, message, wParam, lParam);
            })));

        MSG msg = {link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {2, 2}};
        EXPECT_FALSE(link.PreTranslateMessage(&msg));

        ::SetWindowLongPtrA(hTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pfnTip));
        ASSERT_EQ(1u, s_relayed.size());
        EXPECT_EQ(0u, s_relayed[0].first);
        EXPECT_EQ(reinterpret_cast<LPARAM>(&msg), s_relayed[0].second);
    });
}

// The hand comes from the help program in the Windows directory. This prefix has
// none, so the tests put a module of their own there, with cursor 106 only.
class HandCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szWindows[MAX_PATH];
        ::GetWindowsDirectoryA(szWindows, MAX_PATH);
        m_strHelp = std::string(szWindows) + "\\winhlp32.exe";
        ::DeleteFileA(m_strHelp.c_str());
        g_hHandCursor = nullptr;
    }

    void TearDown() override { ::DeleteFileA(m_strHelp.c_str()); }

    void InstallHelpProgram()
    {
        ASSERT_TRUE(::CopyFileA((ModuleDir() + "\\help_cursor_module.exe").c_str(),
                                m_strHelp.c_str(), FALSE));
    }

    std::string m_strHelp;
};

BOOL SendSetCursor(CWnd& link)
{
    return static_cast<BOOL>(link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

POINT HotSpot(HCURSOR hCursor)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hCursor, &info))
        return POINT{-1, -1};
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

TEST_F(HandCursor, ComesFromTheHelpProgramOnceForAllLinks)
{
    InstallHelpProgram();
    RunDialog([&](CLinkTestDialog& dlg) {
        CTestLink skipping(kDefaultOptions | HLO_SKIP_CURSOR_LOAD);
        ASSERT_TRUE(skipping.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        EXPECT_EQ(nullptr, g_hHandCursor);
        ::SetCursor(nullptr);
        EXPECT_FALSE(SendSetCursor(skipping));
        EXPECT_EQ(nullptr, ::GetCursor());

        CTestLink first;
        ASSERT_TRUE(first.SubclassDlgItem(IDC_LINK_RIGHT, &dlg));
        HCURSOR hLoaded = g_hHandCursor;
        ASSERT_NE(nullptr, hLoaded);
        // The module is gone again; the private copy with its hot spot (7, 3) stays.
        EXPECT_EQ(nullptr, ::GetModuleHandleA(m_strHelp.c_str()));
        POINT ptHot = HotSpot(hLoaded);
        EXPECT_EQ(7, ptHot.x);
        EXPECT_EQ(3, ptHot.y);

        CTestLink second;
        ASSERT_TRUE(second.SubclassDlgItem(IDC_LINK_CENTER, &dlg));
        EXPECT_EQ(hLoaded, g_hHandCursor);

        // Every link shows the shared cursor, the one that skipped loading too.
        for (CTestLink* pLink : {&skipping, &first, &second}) {
            ::SetCursor(nullptr);
            EXPECT_TRUE(SendSetCursor(*pLink));
            EXPECT_EQ(hLoaded, ::GetCursor());
        }
    });
}

TEST_F(HandCursor, FallsBackToTheSystemHand)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        CTestLink link;
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));

        EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), g_hHandCursor);
        ::SetCursor(nullptr);
        EXPECT_TRUE(SendSetCursor(link));
        EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), ::GetCursor());
    });
}

TEST(HyperLinkOpening, ClickInsideOpensAndTheColourFollows)
{
    CTempDir dir;
    std::string strRecord = dir.Path("click.txt");
    SetRecordFile(strRecord);
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CTestLink link;
        link.SetTarget(RecorderPath());
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));

        MouseTo(ScreenPoint(link.m_hWnd, 3, 3));
        Settle([&] { return link.m_bHot != FALSE; });
        EXPECT_TRUE(link.m_bHot);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        Settle([&] { return link.m_bSelected != FALSE; });
        EXPECT_EQ(link.m_hWnd, ::GetFocus());
        EXPECT_FALSE(link.m_bOpened);
        MouseButton(MOUSEEVENTF_LEFTUP);
        Settle([&] { return link.m_bOpened != FALSE; });

        EXPECT_TRUE(link.m_bOpened);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_NE(std::string::npos, WaitForRecord(strRecord).find("link_recorder.exe"));
        EXPECT_EQ(g_crSelectedText, QueryColour(dlg, link.m_hWnd).crText);

        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE));
        EXPECT_EQ(g_crOpenedText, QueryColour(dlg, link.m_hWnd).crText);
        MouseTo(ScreenPoint(dlg.m_hWnd, 1, 1));
        Settle([&] { return link.m_bHot == FALSE; });
    });
}

// The link opens at the release, or at the press alone when asked to; either way once.
TEST(HyperLinkOpening, FailureIsReportedOnceAndChangesNothing)
{
    struct Case {
        DWORD dwOptions;
        std::size_t nBoxesAfterPress;
    };
    for (const Case& c : {Case{kDefaultOptions, 0}, Case{kDefaultOptions | HLO_OPEN_ON_PRESS, 1}}) {
        SCOPED_TRACE(c.dwOptions);
        RunDialog([&](CLinkTestDialog& dlg) {
            wintest::MessageBoxRecorder boxes;
            CTestLink link(c.dwOptions);
            link.SetTarget(kUnopenable);
            ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));

            link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            EXPECT_EQ(c.nBoxesAfterPress, boxes.Boxes().size());
            link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));

            ASSERT_EQ(1u, boxes.Boxes().size());
            EXPECT_EQ(kNoAssocBox, boxes.Boxes()[0].text);
            EXPECT_EQ("hyperlink_tests", boxes.Boxes()[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
            EXPECT_FALSE(link.m_bOpened);
            EXPECT_TRUE(link.m_bSelected);
        });
    }
}

TEST(HyperLinkOpening, ReleaseOutsideDoesNotOpen)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CTestLink link;
        link.SetTarget(kUnopenable);
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        CRect rcClient = ClientRect(link.m_hWnd);

        MouseTo(ScreenPoint(link.m_hWnd, 3, 3));
        Settle([&] { return link.m_bHot != FALSE; });
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        Settle([&] { return link.m_bSelected != FALSE; });
        ASSERT_EQ(link.m_hWnd, ::GetCapture());
        MouseTo(ScreenPoint(link.m_hWnd, rcClient.right + 30, rcClient.bottom + 30));
        Settle([&] { return link.m_bHot == FALSE; });
        EXPECT_FALSE(link.m_bHot);
        EXPECT_NE(link.m_hWnd, ::GetCapture());
        MouseButton(MOUSEEVENTF_LEFTUP);
        Settle();

        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_TRUE(link.m_bSelected);
    });
}

TEST(HyperLinkOpening, SpaceOpensOnlyWithTheFocus)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CTestLink link;
        link.SetTarget(kUnopenable);
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_LEFT, &dlg));
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);

        ::SetFocus(hEdit);
        Key(VK_SPACE, false);
        Key(VK_SPACE, true);
        Settle([&] { return wintest::WindowText(hEdit) == " "; });
        EXPECT_EQ(" ", wintest::WindowText(hEdit));
        EXPECT_TRUE(boxes.Boxes().empty());

        // Other keys pass; a space held down opens at each repeated key-down.
        link.SetFocus();
        Key('A', false);
        Key('A', true);
        Key(VK_RIGHT, false);
        Key(VK_RIGHT, true);
        Key(VK_SPACE, false);
        Key(VK_SPACE, false);
        Key(VK_SPACE, true);
        Settle([&] { return boxes.Boxes().size() >= 2; });
        wintest::PumpUntil([] { return false; }, 200);
        ASSERT_EQ(2u, boxes.Boxes().size());
        EXPECT_EQ(kNoAssocBox, boxes.Boxes()[1].text);
    });
}

}  // namespace
