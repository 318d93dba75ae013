#include "framework/win32/ToolTipCtrl.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"

namespace {
// The tool record as comctl32 5.8 knows it: without a manifest for version 6 a
// larger cbSize is refused. The control copies the text; it is never written.
TOOLINFOW MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool, const std::wstring& text)
{
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.lpszText = const_cast<LPWSTR>(text.c_str());
    return ti;
}
}  // namespace

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxEnableControlContainer();
    HWND hWnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  pParentWnd->m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
    if (hWnd == nullptr)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    std::wstring text = Widen(lpszText != nullptr ? lpszText : "");
    TOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, text);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    std::wstring text = Widen(lpszText != nullptr ? lpszText : "");
    TOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
