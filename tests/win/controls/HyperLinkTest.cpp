// The link control on a real dialog under Wine: real statics, real messages, real
// mouse and keyboard input where the behaviour depends on where input goes.
#include "controls/HyperLink.h"
#include "framework/portable/Utf16.h"
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
const COLORREF kBlue = RGB(0, 0, 255), kTeal = RGB(0, 128, 128), kPurple = RGB(128, 0, 128),
               kRed = RGB(255, 0, 0);
// No program is registered for this scheme: opening it fails with code 31.
const char kUnopenable[] = "tosvikunreg:page";
const char kNoAssocBox[] =
    "Can't open link:\n\nThere is no application associated\nwith the given filename extension.";

// The options have no setter: a link that needs others is a class of its own.
class COptionLink : public CHyperLink {
public:
    explicit COptionLink(DWORD dwOptions) { m_dwOptions = dwOptions; }
};

void RunDialog(const std::function<void(CLinkTestDialog&)>& body)
{
    CLinkTestDialog dlg(body);
    EXPECT_EQ(IDOK, dlg.DoModal());
}

HFONT FontOf(HWND hWnd)
{
    return reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
}

// A static of the dialog's font made at run time, for sizes the template does not have.
HWND CreateStatic(CWnd& dlg, const std::string& strText, DWORD dwStyle, int x, int y, int cx,
                  int cy, bool bWithFont = true)
{
    HWND hStatic = ::CreateWindowExW(0, L"STATIC", Widen(strText).c_str(),
                                     WS_CHILD | WS_VISIBLE | dwStyle, x, y, cx, cy, dlg.m_hWnd,
                                     nullptr, nullptr, nullptr);
    if (bWithFont)
        ::SendMessageW(hStatic, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(dlg.m_hWnd)), FALSE);
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

LOGFONTW LogFont(HFONT hFont)
{
    LOGFONTW lf = {};
    ::GetObjectW(hFont, sizeof lf, &lf);
    return lf;
}

SIZE TextExtentIn(HFONT hFont, const std::string& strText)
{
    std::wstring text = Widen(strText);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size;
}

// The window text measured in the window's own font.
SIZE TextExtent(HWND hWnd)
{
    return TextExtentIn(FontOf(hWnd), wintest::WindowText(hWnd));
}

TOOLINFOW ToolInfo(HWND hTool, wchar_t* pszText)
{
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hTool;
    ti.uId = 1;
    ti.lpszText = pszText;
    return ti;
}

struct TipSearch {
    HWND hLink;
    HWND hTip;
};

BOOL CALLBACK FindTipOf(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<TipSearch*>(lParam);
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hWnd, szClass, 64);
    TOOLINFOW ti = ToolInfo(pSearch->hLink, nullptr);
    if (::lstrcmpiW(szClass, TOOLTIPS_CLASSW) == 0 &&
        ::SendMessageW(hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) {
        pSearch->hTip = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The tooltip of this thread that has hLink as its tool, or null.
HWND FindTip(HWND hLink)
{
    TipSearch search = {hLink, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTipOf, reinterpret_cast<LPARAM>(&search));
    return search.hTip;
}

// The text of the link's tooltip, which is its target.
std::string ToolText(HWND hLink)
{
    HWND hTip = FindTip(hLink);
    if (hTip == nullptr)
        return "(no tooltip)";
    wchar_t szText[INFOTIPSIZE + 1] = L"";
    TOOLINFOW ti = ToolInfo(hLink, szText);
    ::SendMessageW(hTip, TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&ti));
    szText[INFOTIPSIZE] = L'\0';
    return Narrow(std::wstring(szText));
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
    LRESULT lResult = ::SendMessageW(dlg.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                     reinterpret_cast<LPARAM>(hLink));
    ColourQuery query = {::GetTextColor(hDC), ::GetBkMode(hDC), reinterpret_cast<HBRUSH>(lResult)};
    ::DeleteDC(hDC);
    return query;
}

COLORREF Colour(CWnd& dlg, HWND hLink)
{
    return QueryColour(dlg, hLink).crText;
}

LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessageW(hWnd, message, wParam, lParam);
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

// Each state reached as the user reaches it: the pointer over the link (hot), the
// focus on it (selected), a mark from the program (opened).
TEST(HyperLink, ColourFollowsTheState)
{
    struct Case {
        DWORD dwOptions;
        bool bHot, bSelected, bOpened;
        COLORREF crExpected;
    };
    const std::vector<Case> cases = {
        {kDefaultOptions, false, false, false, kBlue},
        {kDefaultOptions, true, false, false, kBlue},
        {kDefaultOptions, false, false, true, kPurple},
        {kDefaultOptions, false, true, false, kTeal},
        {kDefaultOptions, true, true, true, kTeal},
        {kDefaultOptions | HLO_HOT_COLOUR, true, false, false, kRed},
        {kDefaultOptions | HLO_HOT_COLOUR, true, true, true, kRed},
        {kDefaultOptions | HLO_HOT_COLOUR, false, true, true, kTeal},
        {kDefaultOptions | HLO_NO_SELECTED_COLOUR, false, true, true, kPurple},
        {kDefaultOptions | HLO_NO_SELECTED_COLOUR, false, true, false, kBlue},
    };

    RunDialog([&](CLinkTestDialog& dlg) {
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "options " << c.dwOptions << " hot " << c.bHot
                                            << " selected " << c.bSelected << " opened "
                                            << c.bOpened);
            ::SetFocus(hEdit);
            HWND hStatic = CreateStatic(dlg, "link", SS_LEFT, 20, 20, 100, 20);
            COptionLink link(c.dwOptions);
            ASSERT_TRUE(link.SubclassWindow(hStatic));
            link.MarkOpened(c.bOpened ? TRUE : FALSE);
            if (c.bSelected)
                ::SetFocus(hStatic);
            if (c.bHot)
                Send(hStatic, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));

            ColourQuery query = QueryColour(dlg, hStatic);
            EXPECT_EQ(c.crExpected, query.crText);
            EXPECT_EQ(TRANSPARENT, query.nBkMode);
            EXPECT_EQ(::GetStockObject(NULL_BRUSH), query.hBrush);

            ::ReleaseCapture();
            ::SetFocus(hEdit);
            ::DestroyWindow(hStatic);
        }
    });
}

TEST(HyperLink, StateFollowsMouseFocusAndMarks)
{
    RunDialog([](CLinkTestDialog& dlg) {
        // The hot colour makes the hot state visible.
        COptionLink link(kDefaultOptions | HLO_HOT_COLOUR);
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hLink = link.m_hWnd;
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);
        ::SetFocus(hEdit);
        EXPECT_EQ(kBlue, Colour(dlg, hLink));

        EXPECT_EQ(HTCLIENT, Send(hLink, WM_NCHITTEST, 0, MAKELPARAM(5000, 5000)));

        ::ValidateRect(hLink, nullptr);
        Send(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(kRed, Colour(dlg, hLink));
        EXPECT_EQ(hLink, ::GetCapture());
        EXPECT_TRUE(IsInvalid(hLink));

        ::ValidateRect(hLink, nullptr);
        Send(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(3, 2));
        EXPECT_EQ(kRed, Colour(dlg, hLink));
        EXPECT_EQ(hLink, ::GetCapture());
        EXPECT_FALSE(IsInvalid(hLink));

        Send(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(-4, 2));
        EXPECT_EQ(kBlue, Colour(dlg, hLink));
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_TRUE(IsInvalid(hLink));

        ::ValidateRect(hLink, nullptr);
        ::SetFocus(hLink);
        EXPECT_EQ(kTeal, Colour(dlg, hLink));
        EXPECT_TRUE(IsInvalid(hLink));

        // Losing the focus clears hot as well but leaves the capture alone.
        Send(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(kRed, Colour(dlg, hLink));
        ::ValidateRect(hLink, nullptr);
        ::SetFocus(hEdit);
        EXPECT_EQ(kBlue, Colour(dlg, hLink));
        EXPECT_EQ(hLink, ::GetCapture());
        EXPECT_TRUE(IsInvalid(hLink));
        ::ReleaseCapture();

        ::ValidateRect(hLink, nullptr);
        link.MarkOpened(TRUE);
        EXPECT_EQ(kPurple, Colour(dlg, hLink));
        EXPECT_FALSE(IsInvalid(hLink));
        link.MarkOpened(FALSE);
        EXPECT_EQ(kBlue, Colour(dlg, hLink));
    });
}

TEST(HyperLink, PressSelectsAndTakesTheFocusOnlyWhenAsked)
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
            COptionLink link(c.dwOptions);
            ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, c.nID)));
            ::SetFocus(hEdit);

            Send(link.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));

            EXPECT_EQ(c.bTakesFocus ? link.m_hWnd : hEdit, ::GetFocus());
            EXPECT_EQ(kTeal, Colour(dlg, link.m_hWnd));
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
    const std::string strText = "链接 link";
    RunDialog([&](CLinkTestDialog& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.pszWhat);
            HWND hStatic = CreateStatic(dlg, strText, c.dwStyle, 20, 20, 10, 10);
            // Sized from the text in the link font, so the differences are exact.
            LOGFONTW lf = LogFont(FontOf(hStatic));
            lf.lfUnderline = 1;
            HFONT hUnderlined = ::CreateFontIndirectW(&lf);
            SIZE text = TextExtentIn(hUnderlined, strText);
            ::DeleteObject(hUnderlined);
            CRect rcBorder = RectInParent(hStatic);
            int bx = rcBorder.Width() - ClientRect(hStatic).Width();
            int by = rcBorder.Height() - ClientRect(hStatic).Height();
            ::MoveWindow(hStatic, 20, 20, text.cx + c.nExtraWidth + bx,
                         text.cy + c.nExtraHeight + by, FALSE);
            CRect rcBefore = RectInParent(hStatic);

            CHyperLink link;
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

// Texts outside code page 936 and outside the Basic Multilingual Plane, as the template
// brings them and as a target set in code does: shown, fitted and tipped whole whatever
// the system's code page, and in a font whose face name is Korean. Through the code
// page, they would come out as "?" or as other characters of a different width.
TEST(HyperLink, TextInAnyScriptIsShownAndFittedWhole)
{
    const std::vector<std::string> texts = {
        "한국어 링크",
        "photo😀 𝄞",
        "mailto:한국어@example.org",
        "链接 Ünïcödé",
    };
    const std::wstring face = L"맑은 고딕";
    RunDialog([&](CLinkTestDialog& dlg) {
        LOGFONTW lf = LogFont(FontOf(dlg.m_hWnd));
        ::lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        HFONT hKorean = ::CreateFontIndirectW(&lf);
        for (const std::string& strText : texts) {
            SCOPED_TRACE(strText);
            struct Way {
                const char* pszWhat;
                std::string strTemplate;
                bool bSetTarget;
            };
            for (const Way& way : {Way{"template text", strText, false},
                                   Way{"target set before attaching", "", true}}) {
                SCOPED_TRACE(way.pszWhat);
                HWND hStatic = CreateStatic(dlg, way.strTemplate, SS_LEFT, 20, 20, 300, 30);
                Send(hStatic, WM_SETFONT, reinterpret_cast<WPARAM>(hKorean), FALSE);
                CHyperLink link;
                if (way.bSetTarget)
                    link.SetTarget(strText);
                ASSERT_TRUE(link.SubclassWindow(hStatic));

                EXPECT_EQ(strText, wintest::WindowText(hStatic));
                EXPECT_EQ(strText, ToolText(hStatic));
                EXPECT_EQ(face, std::wstring(LogFont(FontOf(hStatic)).lfFaceName));
                SIZE text = TextExtentIn(FontOf(hStatic), strText);
                EXPECT_EQ(text.cx, ClientRect(hStatic).Width());
                EXPECT_EQ(text.cy, ClientRect(hStatic).Height());
                ::DestroyWindow(hStatic);
            }
        }
        ::DeleteObject(hKorean);
    });
}

TEST(HyperLink, TemplateLinksAreUnderlinedAndFitted)
{
    RunDialog([](CLinkTestDialog& dlg) {
        HWND hStatic = ::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT);
        CRect rcBefore = RectInParent(hStatic);
        HFONT hDialogFont = FontOf(hStatic);

        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(hStatic));

        HFONT hFont = FontOf(hStatic);
        EXPECT_NE(hDialogFont, hFont);
        LOGFONTW lfDialog = LogFont(hDialogFont), lfLink = LogFont(hFont);
        EXPECT_EQ(1, lfLink.lfUnderline);
        EXPECT_EQ(lfDialog.lfHeight, lfLink.lfHeight);
        // The template's face name is Chinese: an eight-bit copy would lose it outside
        // code page 936.
        EXPECT_EQ(std::wstring(lfDialog.lfFaceName), std::wstring(lfLink.lfFaceName));
        EXPECT_EQ(L"宋体", std::wstring(lfLink.lfFaceName));

        CRect rcAfter = RectInParent(hStatic);
        SIZE text = TextExtent(hStatic);
        EXPECT_EQ(rcBefore.left, rcAfter.left);
        EXPECT_EQ(rcBefore.top, rcAfter.top);
        EXPECT_EQ(text.cx, rcAfter.Width());
        EXPECT_EQ(text.cy, rcAfter.Height());
        EXPECT_LT(rcAfter.Width(), rcBefore.Width());

        // Without the underline bit the copy is plain; without the fit bit nothing moves.
        COptionLink plain(HLO_FOCUS_ON_CLICK);
        HWND hRight = ::GetDlgItem(dlg.m_hWnd, IDC_LINK_RIGHT);
        CRect rcRight = RectInParent(hRight);
        ASSERT_TRUE(plain.SubclassWindow(hRight));
        EXPECT_EQ(0, LogFont(FontOf(hRight)).lfUnderline);
        EXPECT_EQ(rcRight.left, RectInParent(hRight).left);
        EXPECT_EQ(rcRight.Width(), RectInParent(hRight).Width());
    });
}

TEST(HyperLink, StaticWithoutFontIsLeftAsItIs)
{
    RunDialog([](CLinkTestDialog& dlg) {
        HWND hStatic = CreateStatic(dlg, "no font", SS_LEFT, 20, 20, 200, 30, false);
        ASSERT_EQ(nullptr, FontOf(hStatic));

        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(hStatic));

        EXPECT_EQ(nullptr, FontOf(hStatic));
        EXPECT_EQ(200, RectInParent(hStatic).Width());
        EXPECT_EQ(30, RectInParent(hStatic).Height());

        // Fitting stays off for good, even once the static has a font.
        Send(hStatic, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(dlg.m_hWnd)), FALSE);
        link.SetTarget("still not resized");
        EXPECT_EQ(200, RectInParent(hStatic).Width());
        EXPECT_EQ(30, RectInParent(hStatic).Height());
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
            CHyperLink link;
            if (c.pszTargetBefore != nullptr)
                link.SetTarget(c.pszTargetBefore);
            ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, c.nID)));

            EXPECT_EQ(c.strText, wintest::WindowText(link.m_hWnd));
            EXPECT_EQ(c.strTarget, ToolText(link.m_hWnd));
        });
    }
}

TEST(HyperLink, SetTargetUpdatesTipAndShowsTheLink)
{
    RunDialog([](CLinkTestDialog& dlg) {
        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hLink = link.m_hWnd;
        ::ShowWindow(hLink, SW_HIDE);
        // A longer text than at attachment: setting the target fits the window again.
        Send(hLink, WM_SETTEXT, 0,
             reinterpret_cast<LPARAM>(L"a much longer text than the template had, 한국어"));

        link.SetTarget("http://www.example.com/새");

        EXPECT_TRUE(::IsWindowVisible(hLink));
        EXPECT_EQ("http://www.example.com/새", ToolText(hLink));
        EXPECT_EQ("a much longer text than the template had, 한국어",
                  wintest::WindowText(hLink));
        EXPECT_EQ(TextExtent(hLink).cx, ClientRect(hLink).Width());
    });
}

std::vector<std::pair<WPARAM, LPARAM>> g_relayed;
WNDPROC g_pfnTip = nullptr;

LRESULT CALLBACK RecordingTipProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_RELAYEVENT)
        g_relayed.push_back({wParam, lParam});
    return ::CallWindowProcW(g_pfnTip, hWnd, message, wParam, lParam);
}

TEST(HyperLink, MessagesReachTheTooltipFirst)
{
    RunDialog([](CLinkTestDialog& dlg) {
        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hTip = FindTip(link.m_hWnd);
        ASSERT_NE(nullptr, hTip);
        g_relayed.clear();
        g_pfnTip = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            hTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingTipProc)));

        MSG msg = {link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {2, 2}};
        EXPECT_FALSE(link.PreTranslateMessage(&msg));

        ::SetWindowLongPtrW(hTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnTip));
        ASSERT_EQ(1u, g_relayed.size());
        EXPECT_EQ(0u, g_relayed[0].first);
        EXPECT_EQ(reinterpret_cast<LPARAM>(&msg), g_relayed[0].second);
    });
}

// The hand comes from the help program in the Windows directory. This prefix has
// none, so the tests put a module of their own there, with cursor 106 only.
class HandCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t szWindows[MAX_PATH];
        ::GetWindowsDirectoryW(szWindows, MAX_PATH);
        m_help = std::wstring(szWindows) + L"\\winhlp32.exe";
        ::DeleteFileW(m_help.c_str());
        g_hHandCursor = nullptr;
    }

    void TearDown() override { ::DeleteFileW(m_help.c_str()); }

    void InstallHelpProgram()
    {
        ASSERT_TRUE(::CopyFileW(Widen(ModuleDir() + "\\help_cursor_module.exe").c_str(),
                                m_help.c_str(), FALSE));
    }

    std::wstring m_help;
};

BOOL SendSetCursor(HWND hLink)
{
    return static_cast<BOOL>(Send(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink),
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
        COptionLink skipping(kDefaultOptions | HLO_SKIP_CURSOR_LOAD);
        ASSERT_TRUE(skipping.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        EXPECT_EQ(nullptr, g_hHandCursor);
        ::SetCursor(nullptr);
        EXPECT_FALSE(SendSetCursor(skipping.m_hWnd));
        EXPECT_EQ(nullptr, ::GetCursor());

        CHyperLink first;
        ASSERT_TRUE(first.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_RIGHT)));
        HCURSOR hLoaded = g_hHandCursor;
        ASSERT_NE(nullptr, hLoaded);
        // The module is gone again; the private copy with its hot spot (7, 3) stays.
        EXPECT_EQ(nullptr, ::GetModuleHandleW(m_help.c_str()));
        POINT ptHot = HotSpot(hLoaded);
        EXPECT_EQ(7, ptHot.x);
        EXPECT_EQ(3, ptHot.y);

        CHyperLink second;
        ASSERT_TRUE(second.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_CENTER)));
        EXPECT_EQ(hLoaded, g_hHandCursor);

        // Every link shows the shared cursor, the one that skipped loading too.
        for (HWND hLink : {skipping.m_hWnd, first.m_hWnd, second.m_hWnd}) {
            ::SetCursor(nullptr);
            EXPECT_TRUE(SendSetCursor(hLink));
            EXPECT_EQ(hLoaded, ::GetCursor());
        }
    });
}

TEST_F(HandCursor, FallsBackToTheSystemHand)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));

        EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), g_hHandCursor);
        ::SetCursor(nullptr);
        EXPECT_TRUE(SendSetCursor(link.m_hWnd));
        EXPECT_EQ(g_hHandCursor, ::GetCursor());
    });
}

TEST(HyperLinkOpening, ClickInsideOpensAndTheColourFollows)
{
    CTempDir dir;
    std::string strRecord = dir.Path("click.txt");
    SetRecordFile(strRecord);
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CHyperLink link;
        link.SetTarget(RecorderPath());
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hLink = link.m_hWnd;

        MouseTo(ScreenPoint(hLink, 3, 3));
        Settle([&] { return ::GetCapture() == hLink; });
        EXPECT_EQ(hLink, ::GetCapture());
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        Settle([&] { return ::GetFocus() == hLink; });
        EXPECT_EQ(hLink, ::GetFocus());
        EXPECT_FALSE(FileExists(strRecord));
        MouseButton(MOUSEEVENTF_LEFTUP);
        Settle([&] { return FileExists(strRecord); });

        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_NE(std::string::npos, WaitForRecord(strRecord).find("link_recorder.exe"));
        EXPECT_EQ(kTeal, Colour(dlg, hLink));

        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE));
        EXPECT_EQ(kPurple, Colour(dlg, hLink));
        // The pointer goes where it cannot touch the links of later tests.
        ::ReleaseCapture();
        MouseTo(ScreenPoint(dlg.m_hWnd, 1, 1));
        wintest::PumpPending();
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
            COptionLink link(c.dwOptions);
            link.SetTarget(kUnopenable);
            ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
            HWND hLink = link.m_hWnd;

            Send(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            EXPECT_EQ(c.nBoxesAfterPress, boxes.Boxes().size());
            Send(hLink, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));

            ASSERT_EQ(1u, boxes.Boxes().size());
            EXPECT_EQ(kNoAssocBox, boxes.Boxes()[0].text);
            EXPECT_EQ("hyperlink_tests", boxes.Boxes()[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
            EXPECT_EQ(kTeal, Colour(dlg, hLink));
            // Not opened: blue, not purple, once the focus has gone.
            ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE));
            EXPECT_EQ(kBlue, Colour(dlg, hLink));
        });
    }
}

TEST(HyperLinkOpening, ReleaseOutsideDoesNotOpen)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CHyperLink link;
        link.SetTarget(kUnopenable);
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hLink = link.m_hWnd;
        CRect rcClient = ClientRect(hLink);

        MouseTo(ScreenPoint(hLink, 3, 3));
        Settle([&] { return ::GetCapture() == hLink; });
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        Settle([&] { return ::GetFocus() == hLink; });
        ASSERT_EQ(hLink, ::GetCapture());
        MouseTo(ScreenPoint(hLink, rcClient.right + 30, rcClient.bottom + 30));
        Settle([&] { return ::GetCapture() != hLink; });
        EXPECT_NE(hLink, ::GetCapture());
        MouseButton(MOUSEEVENTF_LEFTUP);
        Settle();

        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(kTeal, Colour(dlg, hLink));
    });
}

TEST(HyperLinkOpening, SpaceOpensOnlyWithTheFocus)
{
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CHyperLink link;
        link.SetTarget(kUnopenable);
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_ELSEWHERE);

        ::SetFocus(hEdit);
        Key(VK_SPACE, false);
        Key(VK_SPACE, true);
        Settle([&] { return wintest::WindowText(hEdit) == " "; });
        EXPECT_EQ(" ", wintest::WindowText(hEdit));
        EXPECT_TRUE(boxes.Boxes().empty());

        // Other keys pass; a space held down opens at each repeated key-down.
        ::SetFocus(link.m_hWnd);
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

// A target the system's code page cannot carry is not handed to the shell as "?": the
// user hears and reads why it did not open.
TEST(HyperLinkOpening, TargetOutsideTheCodePageIsReported)
{
    if (::GetACP() == CP_UTF8)
        GTEST_SKIP() << "every character fits this system's code page";
    RunDialog([&](CLinkTestDialog& dlg) {
        wintest::MessageBoxRecorder boxes;
        CHyperLink link;
        link.SetTarget("tosvikunreg:한국어");
        ASSERT_TRUE(link.SubclassWindow(::GetDlgItem(dlg.m_hWnd, IDC_LINK_LEFT)));

        Send(link.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);

        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Can't open link:\n\nThe link or the program registered to open it\nholds "
                  "characters that this system's code page cannot carry.",
                  boxes.Boxes()[0].text);
    });
}

}  // namespace
