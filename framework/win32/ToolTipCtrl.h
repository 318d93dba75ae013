// Owns a tooltip window. The window is subclassed like every framework window, so
// the object notices when the system destroys it with its owner. Texts are UTF-8.
#pragma once

#include "framework/win32/Wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    // A pop-up tooltip window with pParentWnd as its parent (the system makes that
    // window's top-level window its owner). Initialises the common controls it needs.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // Tool nIDTool: the area lpRectTool of pWnd's client area, with text lpszText.
    // Mouse messages reach the tooltip only through TTM_RELAYEVENT.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool);
};
