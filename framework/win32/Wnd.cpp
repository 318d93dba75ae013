// CWnd objects and their windows, and the thin helpers; texts reach the window as UTF-16.
#include "framework/win32/Wnd.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/DataExchange.h"
#include "framework/win32/MessageBox.h"
#include "framework/win32/WinApp.h"

namespace {
std::wstring WidenOrEmpty(LPCSTR lpsz)
{
    return lpsz != nullptr ? Widen(lpsz) : std::wstring();
}
}  // namespace

CWnd::~CWnd()
{
    if (m_pfnSuper != nullptr)
        UnsubclassWindow();
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

int CWnd::MessageBox(const char* pszText, const char* pszCaption, unsigned nType)
{
    CString strCaption = pszCaption != nullptr ? CString(pszCaption) : AfxGetAppTitle();
    return AfxShowMessageBox(m_hWnd, pszText, strCaption.c_str(), nType);
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextW(m_hWnd, nID, WidenOrEmpty(lpszString).c_str());
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    CWnd(::GetDlgItem(m_hWnd, nID)).GetWindowText(rString);
    return static_cast<int>(rString.size());
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextW(m_hWnd, WidenOrEmpty(lpszString).c_str());
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<std::size_t>(nLength > 0 ? nLength : 0) + 1, L'\0');
    int nCopied = ::GetWindowTextW(m_hWnd, &text[0], static_cast<int>(text.size()));
    rString = Narrow(text.data(), static_cast<std::size_t>(nCopied > 0 ? nCopied : 0));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON,
                                                  bBigIcon ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (m_pfnSuper != nullptr)
        return ::DestroyWindow(m_hWnd);  // WM_NCDESTROY lets go of the window
    BOOL bResult = ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return bResult;
}

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnSetFocus(HWND) { Default(); }
void CWnd::OnKillFocus(HWND) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
