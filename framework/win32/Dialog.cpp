// Modal dialogs: created modelessly from the template, subclassed on WM_INITDIALOG,
// run by a message loop of our own.
#include "framework/win32/Dialog.h"

#include "framework/win32/ErrorReport.h"
#include "framework/win32/WinApp.h"

#include <exception>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr) {
        HWND hWnd = UnsubclassWindow();
        ::DestroyWindow(hWnd);
    }
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = reinterpret_cast<CDialog*>(lParam);
    BOOL bSubclassed = FALSE;
    try {
        bSubclassed = pDialog->SubclassWindow(hWnd);
    } catch (...) {
        // PreSubclassWindow of a dialog does no work that may fail.
        std::terminate();
    }
    if (!bSubclassed) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return AfxCallWndProc(pDialog, hWnd, message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Never passed on: the original procedure would call AfxDlgProc again.
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

HWND CDialog::ChooseOwner() const
{
    HWND hOwner = nullptr;
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
        hOwner = m_pParentWnd->m_hWnd;
    } else if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain != this) {
        hOwner = pMain->m_hWnd;
    }
    // Only a top-level window can own the dialog or be disabled for it.
    return hOwner != nullptr ? ::GetAncestor(hOwner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_bInModalLoop || m_hWnd != nullptr)
        return -1;
    HWND hOwner = ChooseOwner();
    bool bEnableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (bEnableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_nModalResult = -1;
    m_bEndModal = false;
    m_bInModalLoop = true;
    HWND hWnd = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                     hOwner, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (hWnd != nullptr && m_hWnd == hWnd && !m_bEndModal) {
        if (m_bShowOnOpen && !IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bInModalLoop = false;

    // The owner comes back first, so that it is the window activated next.
    if (bEnableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (m_hWnd != nullptr)
        DestroyWindow();
    else if (hWnd != nullptr && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bEndModal && m_hWnd != nullptr) {
        BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult == -1)
            break;
        if (bResult == 0) {
            // Leave WM_QUIT for the loop outside this one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (WalkPreTranslateTree(&msg))
            continue;
        if (m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CDialog::WalkPreTranslateTree(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            // The same boundary as a message handler's.
            try {
                if (pWnd->PreTranslateMessage(pMsg))
                    return TRUE;
            } catch (const CFileException& e) {
                AfxReportFileException(hWnd, e);
                return TRUE;
            }
        }
        if (hWnd == m_hWnd || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return FALSE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEndModal = true;
    // Wakes the loop when this was called while it waited for a message.
    if (m_hWnd != nullptr)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
