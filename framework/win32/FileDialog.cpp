#include "framework/win32/FileDialog.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"

#include <algorithm>

CFileDialog::CFileDialog(LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : m_ofn(), m_pParentWnd(pParentWnd), m_fileName(32768, L'\0')
{
    if (lpszDefExt != nullptr)
        m_strDefExt = Widen(lpszDefExt);
    if (lpszFileName != nullptr) {
        std::wstring strName = Widen(lpszFileName);
        std::copy_n(strName.begin(), (std::min)(strName.size(), m_fileName.size() - 1),
                    m_fileName.begin());
    }
    if (lpszFilter != nullptr) {
        // The system wants "name\0pattern\0...\0\0"; '|' is the framework's way to
        // write it in one literal.
        m_strFilter = Widen(lpszFilter);
        std::replace(m_strFilter.begin(), m_strFilter.end(), L'|', L'\0');
        m_strFilter.push_back(L'\0');
    }

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    HWND hOwner = nullptr;
    if (m_pParentWnd != nullptr)
        hOwner = m_pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd())
        hOwner = pMain->m_hWnd;
    m_ofn.hwndOwner = hOwner;
    m_ofn.hInstance = AfxGetInstanceHandle();
    BOOL bResult = ::GetOpenFileNameW(&m_ofn);
    m_bChosen = bResult != FALSE;
    m_nError = bResult ? 0 : ::CommDlgExtendedError();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    // After a failure the buffer may hold anything, e.g. the size it lacked.
    if (!m_bChosen || m_ofn.lpstrFile == nullptr)
        return CString();
    const wchar_t* pEnd = std::find(m_ofn.lpstrFile, m_ofn.lpstrFile + m_ofn.nMaxFile, L'\0');
    return Narrow(m_ofn.lpstrFile, static_cast<std::size_t>(pEnd - m_ofn.lpstrFile));
}
