// The system's file-open dialog, run modally. Names and paths are UTF-8
// in this class's API and UTF-16 towards the system, so no character of a path is
// lost whatever the system's code page.
#pragma once

#include "framework/portable/String.h"
#include "framework/win32/Wnd.h"

#include <commdlg.h>

#include <string>
#include <vector>

class CFileDialog {
public:
    // lpszFilter: pairs separated by '|' and ended by "||", e.g. "Text (*.txt)|*.txt||".
    explicit CFileDialog(LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Owned by the parent, or else by the application's main window. IDOK when a
    // file was chosen; IDCANCEL when cancelled or failed, GetError() tells which.
    INT_PTR DoModal();
    // The chosen file's full path; empty unless DoModal gave IDOK.
    CString GetPathName() const;
    // After IDCANCEL: 0 when the user cancelled, else why the dialog failed
    // (CommDlgExtendedError, e.g. FNERR_BUFFERTOOSMALL).
    DWORD GetError() const { return m_nError; }

    OPENFILENAMEW m_ofn;

private:
    CWnd* m_pParentWnd;
    std::wstring m_strDefExt;
    std::wstring m_strFilter;  // '|' already turned into '\0'
    // Room for the longest path the system knows (32767 units and the terminator).
    std::vector<wchar_t> m_fileName;
    bool m_bChosen = false;
    DWORD m_nError = 0;
};
