#include "framework/win32/FileDialog.h"

#include "framework/win32/WinApp.h"

#include <cstring>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd), m_szFileName()
{
    if (lpszDefExt != nullptr)
        m_strDefExt = lpszDefExt;
    if (lpszFileName != nullptr) {
        std::strncpy(m_szFileName, lpszFileName, MAX_PATH - 1);
        m_szFileName[MAX_PATH - 1] = '\0';
    }
    if (lpszFilter != nullptr) {
        // The system wants "name\0pattern\0...\0\0"; '|' is the framework's way to
        // write it in one literal.
        m_strFilter = lpszFilter;
        for (char& c : m_strFilter) {
            if (c == '|')
                c = '\0';
        }
        m_strFilter.push_back('\0');
    }

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
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
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}
