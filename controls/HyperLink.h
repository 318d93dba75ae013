// A static text control that looks and behaves like a web link: link colours, an
// underline, a hand cursor, a tooltip with its target, a focus rectangle, opened by a
// click, Enter or the space bar through the shell, and a link to assistive tools.
#pragma once

#include "framework/win32/Font.h"
#include "framework/win32/Static.h"
#include "framework/portable/String.h"
#include "framework/win32/ToolTipCtrl.h"

class CLinkAccessible;

// Option bits of CHyperLink::m_dwOptions.
enum : DWORD {
    HLO_UNDERLINE = 0x01,
    HLO_HOT_COLOUR = 0x02,
    HLO_FIT_TEXT = 0x04,
    HLO_OPEN_ON_PRESS = 0x08,
    HLO_FOCUS_ON_CLICK = 0x10,
    HLO_SKIP_CURSOR_LOAD = 0x20,
    HLO_NO_SELECTED_COLOUR = 0x40,
};

// ShellOpen's code when the target, or the command of the program registered for .htm
// files, holds a character that the system's code page cannot carry: the shell call and
// WinExec take no other text. Negative, so no shell or WinExec code is ever the same.
const int HLE_NOT_IN_CODE_PAGE = -static_cast<int>(ERROR_NO_UNICODE_TRANSLATION);

// Shared by every link of the process; the cursor is loaded once and never freed.
extern const COLORREF g_crNormalText;
extern const COLORREF g_crSelectedText;
extern const COLORREF g_crOpenedText;
extern const COLORREF g_crHotText;
extern HCURSOR g_hHandCursor;

class CHyperLink : public CStatic {
public:
    CHyperLink();
    ~CHyperLink() override;

    void SetTarget(CString strTarget);
    void MarkOpened(BOOL bOpened);
    BOOL IsOpened() const { return m_bOpened; }
    void FitToText();
    void OpenTarget();

    static void LoadHandCursor();

    // Opens pszTarget (UTF-8) through the shell, falling back to the program registered
    // for .htm files. Returns the shell's (or WinExec's) code, above 32 for success, or
    // HLE_NOT_IN_CODE_PAGE.
    static int ShellOpen(LPCSTR pszTarget, int nShowCmd);
    // Reads the default value of hRoot\pszSubKey (both in the system's code page) as
    // text into a MAX_PATH buffer; empty when the key opens but holds no readable text.
    // Returns the error of opening, or ERROR_NO_UNICODE_TRANSLATION (and empty text)
    // when the text holds a character the code page cannot carry.
    static LONG ReadDefaultValue(HKEY hRoot, LPCSTR pszSubKey, LPSTR pszValue);
    // Tells the user why nCode kept a link from opening.
    static void ShowOpenError(int nCode);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;

    HBRUSH CtlColor(HDC hDC, UINT nCtlColor);
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(HWND hOldWnd);
    void OnKillFocus(HWND hNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnNcHitTest(CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // BM_CLICK, as a button takes it: opens the link (its default action posts it).
    LRESULT OnClick(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Repaints the link over its parent's background, which it does not draw itself.
    void Redraw();

    BOOL m_bSelected;
    BOOL m_bHot;
    BOOL m_bOpened;
    DWORD m_dwOptions;
    CString m_strTarget;
    CFont m_fontLink;
    CToolTipCtrl m_tipCtrl;
    // Made at the first request and handed out to every later one.
    CLinkAccessible* m_pAccessible = nullptr;
    // The thread's COM, taken for that first request and given back with the link.
    bool m_bComTaken = false;
};
