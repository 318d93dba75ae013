#include "tests/win/app/MainDialogSession.h"

#include "app/SplitterApp.h"
#include "framework/portable/Utf16.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

void MainDialogSession::Run(const std::function<void()>& script)
{
    m_nUiThread = ::GetCurrentThreadId();
    // As the program's start-up runs it, but without the test program's own command
    // line, which is no file; ProgramTest starts the program itself with one.
    CSplitterApp app;
    CMainDialog dlg;
    app.m_pMainWnd = &dlg;
    INT_PTR nResult = wintest::DriveModal([&] { return dlg.DoModal(); }, [&](HWND hDialog) {
        m_hDialog = hDialog;
        EXPECT_EQ(AfxGetMainWnd(), &Form());
        script();
        Click(IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_FALSE(::IsWindow(m_hDialog));
}

CMainDialog& MainDialogSession::Form() const
{
    auto* pDialog = dynamic_cast<CMainDialog*>(CWnd::FromHandlePermanent(m_hDialog));
    if (pDialog == nullptr)
        throw std::logic_error("not the main dialog");
    return *pDialog;
}

void MainDialogSession::Click(int nID)
{
    wintest::Click(m_hDialog, nID);
}

void MainDialogSession::TypePath(const CString& strText)
{
    // One UTF-16 unit a key, as the system hands over a typed character.
    for (wchar_t c : Widen(strText))
        ::SendMessageW(Item(IDC_PATH), WM_CHAR, c, 1);
}

void MainDialogSession::SetPathText(const CString& strText)
{
    wintest::SetWindowText(Item(IDC_PATH), strText);
}

void MainDialogSession::TypeSize(const CString& strText)
{
    // The drop-down list's edit part is the one child of the combo box.
    HWND hEdit = ::GetWindow(Item(IDC_SIZE_OTHER_MB), GW_CHILD);
    ASSERT_NE(hEdit, nullptr);
    for (wchar_t c : Widen(strText))
        ::SendMessageW(hEdit, WM_CHAR, c, 1);
}

void MainDialogSession::SizeFieldNotifies(WORD nCode)
{
    HWND hField = Item(IDC_SIZE_OTHER_MB);
    ::SendMessageW(m_hDialog, WM_COMMAND, MAKEWPARAM(IDC_SIZE_OTHER_MB, nCode), reinterpret_cast<LPARAM>(hField));
}

void MainDialogSession::Browse(const char* pszPath)
{
    // Posted: the click runs a modal dialog that has to be answered first.
    ::PostMessageW(Item(IDC_BROWSE), BM_CLICK, 0, 0);
    HWND hOpen = wintest::WaitForThreadWindow(m_nUiThread, "#32770", 15000, m_hDialog);
    ASSERT_NE(hOpen, nullptr) << "no file-open dialog";
    if (pszPath != nullptr) {
        wintest::SetWindowText(wintest::FileNameField(hOpen), pszPath);
        ::PostMessageW(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        ::PostMessageW(hOpen, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hOpen); }, 10000))
        << "the file-open dialog stayed open";
    Sync();
}

namespace {

// The picker's name field: the first edit control inside it, however deep.
HWND FindEdit(HWND hParent)
{
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        wchar_t szClass[16] = {};
        ::GetClassNameW(h, szClass, 16);
        if (::lstrcmpiW(szClass, L"Edit") == 0 && ::IsWindowVisible(h))
            return h;
        if (HWND hEdit = FindEdit(h))
            return hEdit;
    }
    return nullptr;
}

}  // namespace

void MainDialogSession::BrowseFolder(const char* pszPath)
{
    ::PostMessageW(Item(IDC_BROWSE_DIR), BM_CLICK, 0, 0);
    HWND hPicker = wintest::WaitForThreadWindow(m_nUiThread, "#32770", 15000, m_hDialog);
    ASSERT_NE(hPicker, nullptr) << "no folder picker";
    if (pszPath != nullptr) {
        HWND hName = nullptr;
        ASSERT_TRUE(wintest::WaitFor([&] { return (hName = FindEdit(hPicker)) != nullptr; }, 10000))
            << "the picker has no name field";
        wintest::SetWindowText(hName, pszPath);
        ::PostMessageW(hPicker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        ::PostMessageW(hPicker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hPicker); }, 10000)) << "the folder picker stayed open";
    Sync();
}

void MainDialogSession::Sync()
{
    // A message sent from another thread is handled only when the dialog's thread
    // waits for messages again, that is after the handler returned.
    ::SendMessageW(m_hDialog, WM_NULL, 0, 0);
}

void MainDialogSession::Drop(const std::vector<CString>& files)
{
    // As the shell hands a drop over: DROPFILES, then the wide names, each ended by a
    // null, and one more null. The receiver frees it with DragFinish.
    std::wstring strNames;
    for (const CString& strFile : files)
        strNames += Widen(strFile) + L'\0';
    strNames += L'\0';
    const SIZE_T nBytes = sizeof(DROPFILES) + strNames.size() * sizeof(wchar_t);
    HGLOBAL hDrop = ::GlobalAlloc(GHND, nBytes);
    ASSERT_NE(hDrop, nullptr);
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    std::memcpy(pDrop + 1, strNames.data(), strNames.size() * sizeof(wchar_t));
    ::GlobalUnlock(hDrop);
    ASSERT_TRUE(::PostMessageW(m_hDialog, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0));
    // A message sent now could be answered before the posted one is taken: wait for
    // the field, then for the rest of the handler.
    ASSERT_TRUE(wintest::WaitFor([&] { return Text(IDC_PATH) == files.at(0) || Text(IDC_TARGET_DIR) == files.at(0); }))
        << "the drop did not reach a field: " << Text(IDC_PATH);
    Sync();
}

namespace {

BOOL CALLBACK FindProgressDialog(HWND hWnd, LPARAM lParam)
{
    if (::GetDlgItem(hWnd, IDC_PROGRESS_BAR) == nullptr)
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

}  // namespace

bool MainDialogSession::ProgressDialogExists() const
{
    bool bFound = false;
    ::EnumThreadWindows(m_nUiThread, &FindProgressDialog, reinterpret_cast<LPARAM>(&bFound));
    return bFound;
}

bool MainDialogSession::Checked(int nID) const
{
    return ::SendMessageW(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND MainDialogSession::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(m_nUiThread, &info);
    return info.hwndFocus;
}

CString WinePath(const char* pszUnixPath)
{
    CString strPath = CString("Z:") + pszUnixPath;
    for (char& c : strPath) {
        if (c == '/')
            c = '\\';
    }
    return strPath;
}
