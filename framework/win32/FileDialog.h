// The system's file-open (or save) dialog, run modally.
#pragma once

#include "framework/portable/String.h"
#include "framework/win32/Wnd.h"

class CFileDialog {
public:
    // lpszFilter: pairs separated by '|' and ended by "||", e.g. "Text (*.txt)|*.txt||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr,
                         LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Owned by the parent, or else by the application's main window. IDOK when a
    // file was chosen; IDCANCEL when cancelled or failed (a path that does not fit
    // MAX_PATH characters included).
    INT_PTR DoModal();
    // The chosen file's full path.
    CString GetPathName() const { return m_szFileName; }

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_strDefExt;
    CString m_strFilter;  // '|' already turned into '\0'
    char m_szFileName[MAX_PATH];
};
