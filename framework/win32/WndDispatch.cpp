// Subclassing and the one window procedure of all framework windows: table lookup,
// command routing, reflection of colour queries, and the exception boundary.
#include "framework/win32/Wnd.h"

#include "framework/win32/ErrorReport.h"
#include "framework/win32/WinApp.h"

#include <exception>

namespace {
// Links a subclassed window to its object.
const wchar_t kWndProperty[] = L"framework.CWnd";
// The original procedure of a window whose object let go of it while another
// procedure was in front of ours, so that ours could not leave the chain.
const wchar_t kSuperProperty[] = L"framework.WndProc";
}  // namespace

// The message that Default() passes on, for as long as one message is handled.
// Messages sent to the same window meanwhile nest.
class CWnd::MessageScope {
public:
    MessageScope(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_pWnd(pWnd), m_saved(pWnd->m_msgCurrent)
    {
        pWnd->m_msgCurrent = CurrentMessage{hWnd, message, wParam, lParam};
    }
    ~MessageScope() { m_pWnd->m_msgCurrent = m_saved; }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    CWnd* m_pWnd;
    CurrentMessage m_saved;
};

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, kWndProperty));
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    if (!::SetPropW(hWnd, kWndProperty, this)) {
        m_hWnd = nullptr;
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != nullptr && ::IsWindow(hWnd)) {
        ::RemovePropW(hWnd, kWndProperty);
        if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        else
            ::SetPropW(hWnd, kSuperProperty, reinterpret_cast<HANDLE>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::OnNcDestroyed()
{
    HWND hWnd = m_hWnd;
    ::RemovePropW(hWnd, kWndProperty);
    if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr)
        return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
    auto pfnSuper = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProperty));
    if (pfnSuper == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        ::RemovePropW(hWnd, kSuperProperty);
    return ::CallWindowProcW(pfnSuper, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    {
        CWnd::MessageScope scope(pWnd, hWnd, message, wParam, lParam);
        try {
            lResult = pWnd->WindowProc(message, wParam, lParam);
        } catch (const CFileException& e) {
            AfxReportFileException(hWnd, e);
            lResult = 0;
        } catch (...) {
            // Nothing else may unwind into the system's code; the program cannot
            // go on in a known state.
            std::terminate();
        }
    }
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd)
        pWnd->OnNcDestroyed();
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild != nullptr && pChild != this &&
            pChild->ReflectCtlColor(message, wParam, lParam, pResult))
            return TRUE;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(AfxEntryKind::Message, message, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    // An accelerator (code 1, no control) is a command like a menu choice.
    if (lParam == 0 && nCode == 1)
        nCode = 0;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(AfxEntryKind::Command, WM_COMMAND, nCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(AfxEntryKind::ReflectCtlColor, 0, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    // Default() in the handler gives the control's own answer to the query.
    MessageScope scope(this, m_hWnd, message, wParam, lParam);
    LRESULT lBrush = pEntry->pfn(this, wParam, message - WM_CTLCOLORMSGBOX);
    if (lBrush == 0)
        return FALSE;
    *pResult = lBrush;
    return TRUE;
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(AfxEntryKind nKind, UINT message, UINT nCode,
                                        UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != nullptr; ++pEntry) {
            if (pEntry->nKind == nKind && pEntry->nMessage == message && pEntry->nCode == nCode &&
                pEntry->nID == nID)
                return pEntry;
            // Registered entries answer window messages, in the same declared order.
            if (nKind == AfxEntryKind::Message && pEntry->nKind == AfxEntryKind::Registered &&
                message != 0 && *pEntry->pnRegistered == message)
                return pEntry;
        }
    }
    return nullptr;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::Message, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}
