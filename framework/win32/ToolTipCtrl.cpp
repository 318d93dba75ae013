#include "framework/win32/ToolTipCtrl.h"

#include "framework/win32/WinApp.h"

namespace {
// The tool record as comctl32 5.8 knows it: without a manifest for version 6 a
// larger cbSize is refused.
TOOLINFOA MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
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
    HWND hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
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
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPSTR>(lpszText);  // copied, never written
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& rString, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // TTM_GETTEXTA takes no size; the control copies at most INFOTIPSIZE characters.
    char szText[INFOTIPSIZE + 1] = "";
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    ti.lpszText = szText;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    szText[INFOTIPSIZE] = '\0';
    rString = szText;
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
