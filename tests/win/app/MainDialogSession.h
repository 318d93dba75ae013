// Runs the program's main dialog (the real dialog from the real template as the main
// window of a CSplitterApp) on the test's thread and drives it from a second thread
// with window messages, as clicks, keys and drops would arrive. Every box is
// recorded and answered with OK, or with the answer a test sets.
#pragma once

#include "app/MainDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <functional>
#include <vector>

class MainDialogSession {
public:
    // Runs the program until script returns, then presses Exit.
    void Run(const std::function<void()>& script);

    HWND Dialog() const { return m_hDialog; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hDialog, nID); }
    // The dialog object; read it between messages only.
    CMainDialog& Form() const;

    // A click; returns once the handler ran.
    void Click(int nID);
    // A click that returns at once, for a handler that runs a job or a modal window.
    void PostClick(int nID) { ::PostMessageW(Item(nID), BM_CLICK, 0, 0); }
    // Returns once the handler that is running has returned.
    void Sync();
    DWORD UiThread() const { return m_nUiThread; }
    // Keys typed into the path field (UTF-8).
    void TypePath(const CString& strText);
    // The field's text put there by code, past its typing limit.
    void SetPathText(const CString& strText);
    // Keys typed into the size field beside 其他 (UTF-8), each as the system hands it
    // over; the field tells the dialog of every change.
    void TypeSize(const CString& strText);
    // The size field tells the dialog of a choice (CBN_SELCHANGE) or an edit
    // (CBN_EDITCHANGE), as it does when a program drives it; returns once handled.
    void SizeFieldNotifies(WORD nCode);
    // Browse, then choose strPath in the system's file-open dialog, or cancel it
    // (pszPath null). Returns once the handler ran.
    void Browse(const char* pszPath);
    // Browse for a folder, then type strPath into the system's folder picker and
    // press its OK, or cancel it (pszPath null). Returns once the handler ran.
    void BrowseFolder(const char* pszPath);
    // Files dropped onto the window, as the shell posts them; returns once the
    // handler ran. The first must differ from the text of the field it goes to.
    void Drop(const std::vector<CString>& files);

    // True while a progress dialog of the main dialog exists, shown or not yet.
    bool ProgressDialogExists() const;

    bool Checked(int nID) const;
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    CString Text(int nID) const { return wintest::WindowText(Item(nID)); }
    HWND Focus() const;

    wintest::MessageBoxRecorder boxes;

private:
    DWORD m_nUiThread = 0;
    HWND m_hDialog = nullptr;
};

// A Unix path as Wine's drive Z: shows it.
CString WinePath(const char* pszUnixPath);
