// CWnd: a window as the framework sees it. Two uses:
// - A view: holds an HWND it does not own (GetDlgItem, GetParent). Its
//   helpers are thin calls on that handle; nothing happens when it goes away.
// - A subclassed window (SubclassWindow, DDX_Control, every CDialog): the shared
//   window procedure sits in front of the window's own and dispatches through the
//   class's message table; Default() hands a message on to the original procedure.
//   The object must outlive the subclassing: when the window is destroyed the
//   framework lets go of it by itself, and the destructor undoes the subclassing of a
//   window that is still alive.
#pragma once

#include "framework/win32/MessageMap.h"
#include "framework/win32/Rect.h"
#include "framework/portable/String.h"
#include "framework/win32/Win32.h"

class CDataExchange;

class CWnd {
public:
    CWnd() = default;
    // A view of hWnd; never subclasses it, never destroys it.
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }

    // The framework object subclassing hWnd, or null when it is not one of ours.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Puts the framework's window procedure in front of hWnd's own. Calls
    // PreSubclassWindow first (m_hWnd is set; messages still go to the old procedure).
    BOOL SubclassWindow(HWND hWnd);
    // Gives the window back its original procedure; returns the handle.
    HWND UnsubclassWindow();

    virtual void PreSubclassWindow();
    // Runs in the modal loop for a queued message, for the window the message is for
    // and each of its parents up to the dialog, before IsDialogMessage. TRUE stops
    // the message there.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Sees every WM_COMMAND first. The default routes to the table's command entries;
    // TRUE when one handled it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Every message of a subclassed window: table, then Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default processing of the message being handled.
    LRESULT Default();
    // The original window procedure for any message.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // TRUE: controls to members (saving and validating); FALSE: members to controls.
    // FALSE when a validation failed (already reported, focus on the control).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // A box owned by this window; a null caption means the application's title.
    int MessageBox(const char* pszText, const char* pszCaption = nullptr, unsigned nType = MB_OK);

    // Thin helpers on m_hWnd. GetDlgItem and GetParent return views. Texts are UTF-8.
    CWnd GetDlgItem(int nID) const { return CWnd(::GetDlgItem(m_hWnd, nID)); }
    CWnd GetParent() const { return CWnd(::GetParent(m_hWnd)); }
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    // Checks nIDCheck and clears the other buttons numbered nIDFirst to nIDLast.
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
    {
        ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
    }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
    HFONT GetFont() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HDC GetDC() { return ::GetDC(m_hWnd); }
    int ReleaseDC(HDC hDC) { return ::ReleaseDC(m_hWnd, hDC); }
    virtual BOOL DestroyWindow();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Handlers a derived class's table may name; each does the default processing.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(HWND hOldWnd);
    void OnKillFocus(HWND hNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnNcHitTest(CPoint point);

    // The table lookup behind WindowProc: TRUE and *pResult when a handler ran.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    struct CurrentMessage {
        HWND hWnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    class MessageScope;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);

    const AFX_MSGMAP_ENTRY* FindEntry(AfxEntryKind nKind, UINT message, UINT nCode, UINT nID) const;
    // A WM_CTLCOLOR* query for this control from its parent; TRUE with a brush.
    BOOL ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window is being destroyed: let go of it.
    void OnNcDestroyed();

    WNDPROC m_pfnSuper = nullptr;          // original procedure while subclassed
    CurrentMessage m_msgCurrent = {};      // what Default() passes on
};

// The window procedure of every subclassed window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// One message through pWnd's dispatch, with the exception boundary of the
// framework: a CFileException is reported (AfxReportFileException) and the handler
// left with result 0; any other exception ends the program (std::terminate), since
// it must not unwind through the system's code.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
