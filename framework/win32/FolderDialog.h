// The system's folder picker (the file-open dialog choosing folders), run modally.
// Paths are UTF-8 in this class's API and UTF-16 towards the system.
#pragma once

#include "framework/portable/String.h"
#include "framework/win32/Wnd.h"

class CFolderDialog {
public:
    // strInitialFolder: where the picker opens, when it is a folder; else the
    // system's choice.
    explicit CFolderDialog(CString strInitialFolder = CString(), CWnd* pParentWnd = nullptr);
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    // Owned by the parent, or else by the application's main window. IDOK when a
    // folder was chosen; IDCANCEL when cancelled or failed, GetError() tells which.
    INT_PTR DoModal();
    // The chosen folder's full path; empty unless DoModal gave IDOK.
    const CString& GetFolderPath() const { return m_strFolder; }
    // After IDCANCEL: S_OK when the user cancelled, else why the picker failed.
    HRESULT GetError() const { return m_hrError; }

private:
    CString m_strInitialFolder;
    CWnd* m_pParentWnd;
    CString m_strFolder;
    HRESULT m_hrError = S_OK;
};
