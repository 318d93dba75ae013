#include "framework/win32/DataExchange.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/MessageBox.h"

#include <stdexcept>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr)
        throw std::logic_error(AfxFormat("data exchange: no control %d in the dialog", nIDC));
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = false;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl != nullptr) {
        // Through the dialog manager, so that the default button follows the focus.
        m_pDlgWnd->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
        if (::GetFocus() != m_hWndLastControl)
            ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        CWnd(hWndCtrl).GetWindowText(value);
    else
        ::SetWindowTextW(hWndCtrl, Widen(value).c_str());
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        // Counted as the edit control counts its limit: in UTF-16 units.
        if (Widen(value).size() > static_cast<std::size_t>(nChars)) {
            AfxMessageBox(AfxFormat("最多只能输入%d个字符。", nChars).c_str(), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        throw std::logic_error(AfxFormat("data exchange: control %d is already subclassed", nIDC));
}
