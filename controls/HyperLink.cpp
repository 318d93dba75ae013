// The link control: attachment, fitting, colours and input. Opening its target is in
// LinkLaunch.cpp.
#include "controls/HyperLink.h"

#include "controls/LinkAccessible.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

const COLORREF g_crNormalText = RGB(0, 0, 255);
const COLORREF g_crSelectedText = RGB(0, 128, 128);
const COLORREF g_crOpenedText = RGB(128, 0, 128);
const COLORREF g_crHotText = RGB(255, 0, 0);
HCURSOR g_hHandCursor = nullptr;

namespace {

const UINT_PTR kToolId = 1;

// Measured as the system draws it: in UTF-16, whatever the ANSI code page.
std::wstring WindowTextW(HWND hWnd)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
    int nLength = ::GetWindowTextW(hWnd, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(nLength));
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_MESSAGE(WM_GETDLGCODE, &CHyperLink::OnGetDlgCode)
    ON_MESSAGE(WM_GETOBJECT, &CHyperLink::OnGetObject)
    ON_MESSAGE(BM_CLICK, &CHyperLink::OnClick)
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
{
    m_bSelected = FALSE;
    m_bHot = FALSE;
    m_bOpened = FALSE;
    m_strTarget.clear();
    m_dwOptions = HLO_UNDERLINE | HLO_FIT_TEXT | HLO_FOCUS_ON_CLICK;
}

CHyperLink::~CHyperLink()
{
    m_fontLink.DeleteObject();
    if (m_pAccessible != nullptr) {
        m_pAccessible->Detach();
        m_pAccessible->Release();
    }
    if (m_bComTaken)
        ::CoUninitialize();
}

void CHyperLink::PreSubclassWindow()
{
    CString strText;
    GetWindowText(strText);
    if (m_strTarget.empty())
        m_strTarget = strText;
    if (strText.empty())
        SetWindowText(m_strTarget.c_str());

    HFONT hFont = GetFont();
    if (hFont != nullptr) {
        // The face name as UTF-16: in an eight-bit copy a name outside the code page
        // would turn into another font.
        LOGFONTW lf = {};
        bool bCopied = ::GetObjectW(hFont, sizeof lf, &lf) == sizeof lf;
        lf.lfUnderline = (m_dwOptions & HLO_UNDERLINE) != 0 ? 1 : 0;
        if (bCopied && m_fontLink.CreateFontIndirect(&lf))
            SetFont(m_fontLink, TRUE);
        FitToText();
    } else {
        // Without a font there is nothing to measure the text with.
        m_dwOptions &= ~static_cast<DWORD>(HLO_FIT_TEXT);
    }

    if ((m_dwOptions & HLO_SKIP_CURSOR_LOAD) == 0)
        LoadHandCursor();

    CRect rcClient;
    GetClientRect(rcClient);
    m_tipCtrl.Create(this, 0);
    m_tipCtrl.AddTool(this, m_strTarget.c_str(), rcClient, kToolId);

    CStatic::PreSubclassWindow();
}

void CHyperLink::FitToText()
{
    if ((m_dwOptions & HLO_FIT_TEXT) == 0)
        return;

    CRect rcWindow;
    GetWindowRect(rcWindow);
    CWnd wndParent = GetParent();
    if (wndParent.m_hWnd != nullptr)
        wndParent.ScreenToClient(rcWindow);

    CRect rcClient;
    GetClientRect(rcClient);
    int cxBorder = rcWindow.Width() - rcClient.Width();
    int cyBorder = rcWindow.Height() - rcClient.Height();

    std::wstring text = WindowTextW(m_hWnd);
    SIZE size = {0, 0};
    HDC hDC = GetDC();
    // Without a link font the DC's own font measures the text.
    HGDIOBJ hOldFont = nullptr;
    if (m_fontLink.GetSafeHandle() != nullptr)
        hOldFont = ::SelectObject(hDC, m_fontLink.GetSafeHandle());
    ::GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ReleaseDC(hDC);

    DWORD dwStyle = GetStyle();
    if ((dwStyle & SS_CENTERIMAGE) != 0) {
        int d = (rcWindow.Height() - size.cy) / 2;
        rcWindow.top += d;
        rcWindow.bottom -= d;
    } else {
        rcWindow.bottom = rcWindow.top + size.cy;
    }
    if ((dwStyle & SS_CENTER) != 0) {
        int d = (rcWindow.Width() - size.cx) / 2;
        rcWindow.left += d;
        rcWindow.right -= d;
    } else if ((dwStyle & SS_RIGHT) != 0) {
        rcWindow.left = rcWindow.right - size.cx;
    } else {
        rcWindow.right = rcWindow.left + size.cx;
    }
    MoveWindow(rcWindow.left, rcWindow.top, rcWindow.Width() + cxBorder,
               rcWindow.Height() + cyBorder, TRUE);
}

void CHyperLink::LoadHandCursor()
{
    if (g_hHandCursor != nullptr)
        return;

    // The path stays UTF-16, so a Windows directory outside the code page still loads.
    wchar_t szPath[MAX_PATH];
    UINT nLength = ::GetWindowsDirectoryW(szPath, MAX_PATH);
    const wchar_t szName[] = L"\\winhlp32.exe";
    if (nLength > 0 && nLength + sizeof szName / sizeof szName[0] <= MAX_PATH) {
        ::lstrcatW(szPath, szName);
        HMODULE hModule = ::LoadLibraryW(szPath);
        if (hModule != nullptr) {
            HCURSOR hCursor = ::LoadCursorA(hModule, MAKEINTRESOURCEA(106));
            // The copy outlives the module it came from.
            if (hCursor != nullptr)
                g_hHandCursor = ::CopyIcon(hCursor);
            ::FreeLibrary(hModule);
        }
    }
    // Systems without the help program still have a hand of their own.
    if (g_hHandCursor == nullptr)
        g_hHandCursor = ::LoadCursorA(nullptr, IDC_HAND);
}

void CHyperLink::SetTarget(CString strTarget)
{
    m_strTarget = strTarget;
    if (::IsWindow(m_hWnd)) {
        ShowWindow(SW_HIDE);
        FitToText();
        m_tipCtrl.UpdateTipText(m_strTarget.c_str(), this, kToolId);
        ShowWindow(SW_SHOW);
    }
}

void CHyperLink::MarkOpened(BOOL bOpened)
{
    m_bOpened = bOpened;
}

void CHyperLink::OpenTarget()
{
    int nCode = ShellOpen(m_strTarget.c_str(), SW_SHOW);
    if (nCode > 32) {
        m_bOpened = TRUE;
        Redraw();
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(nCode);
    }
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    m_tipCtrl.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CHyperLink::CtlColor(HDC hDC, UINT /*nCtlColor*/)
{
    COLORREF crText = g_crNormalText;
    if (m_bHot && (m_dwOptions & HLO_HOT_COLOUR) != 0)
        crText = g_crHotText;
    else if ((m_dwOptions & HLO_NO_SELECTED_COLOUR) == 0 && m_bSelected)
        crText = g_crSelectedText;
    else if (m_bOpened)
        crText = g_crOpenedText;
    ::SetTextColor(hDC, crText);
    ::SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnSetCursor(HWND /*hWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (g_hHandCursor == nullptr)
        return FALSE;
    ::SetCursor(g_hHandCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_bHot) {
        m_bHot = TRUE;
        Redraw();
        SetCapture();
        return;
    }
    CRect rcClient;
    GetClientRect(rcClient);
    // Leaving lets go of the capture, so a release out there is not ours.
    if (!rcClient.PtInRect(point)) {
        m_bHot = FALSE;
        ReleaseCapture();
        Redraw();
    }
}

void CHyperLink::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_bSelected && (m_dwOptions & HLO_OPEN_ON_PRESS) == 0)
        OpenTarget();
}

void CHyperLink::OnSetFocus(HWND /*hOldWnd*/)
{
    m_bSelected = TRUE;
    Redraw();
}

void CHyperLink::OnKillFocus(HWND /*hNewWnd*/)
{
    m_bHot = FALSE;
    m_bSelected = FALSE;
    Redraw();
}

void CHyperLink::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_SPACE || nChar == VK_RETURN)
        OpenTarget();
    else
        Default();
}

LRESULT CHyperLink::OnNcHitTest(CPoint /*point*/)
{
    // Statics without SS_NOTIFY are transparent to the mouse; a link must not be.
    return HTCLIENT;
}

void CHyperLink::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    if ((m_dwOptions & HLO_FOCUS_ON_CLICK) != 0)
        SetFocus();
    if ((m_dwOptions & HLO_OPEN_ON_PRESS) != 0)
        OpenTarget();
    m_bSelected = TRUE;
}

void CHyperLink::Redraw()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) {
        Invalidate();
        return;
    }
    // The focus rectangle is drawn inverted: under it must lie the parent's clean
    // background, not the last picture of the link.
    CRect rcLink;
    GetWindowRect(rcLink);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rcLink), 2);
    ::RedrawWindow(hParent, &rcLink, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CHyperLink::OnPaint()
{
    Default();
    if (::GetFocus() != m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    HDC hDC = GetDC();
    ::DrawFocusRect(hDC, rcClient);
    ReleaseDC(hDC);
}

LRESULT CHyperLink::OnGetDlgCode(WPARAM /*wParam*/, LPARAM lParam)
{
    LRESULT nCode = Default();
    // Enter opens the focused link; the dialog would press its default button.
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        nCode |= DLGC_WANTMESSAGE;
    return nCode;
}

LRESULT CHyperLink::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    if (m_pAccessible == nullptr) {
        // Handing the object to another process needs COM on this thread.
        if (!m_bComTaken) {
            HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (FAILED(hr) && hr != RPC_E_CHANGED_MODE)
                return Default();
            m_bComTaken = SUCCEEDED(hr);
        }
        m_pAccessible = CLinkAccessible::Create(m_hWnd, &m_bOpened);
        if (m_pAccessible == nullptr)
            return Default();
    }
    return m_pAccessible->Answer(wParam);
}

LRESULT CHyperLink::OnClick(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OpenTarget();
    return 0;
}
