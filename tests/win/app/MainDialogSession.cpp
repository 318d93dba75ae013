#include "tests/win/app/MainDialogSession.h"

#include "app/SplitterApp.h"
#include "res/resource.h"

#include <gtest/gtest.h>

void MainDialogSession::Run(const std::function<void()>& script)
{
    m_nUiThread = ::GetCurrentThreadId();
    CSplitterApp app;
    INT_PTR bRunOn = wintest::DriveModal([&] { return app.InitInstance(); }, [&](HWND hDialog) {
        m_hDialog = hDialog;
        EXPECT_EQ(AfxGetMainWnd(), &Form());
        script();
        Click(IDCANCEL);
    });
    EXPECT_FALSE(bRunOn);
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

void MainDialogSession::TypePath(const char* pszText)
{
    for (const char* p = pszText; *p != '\0'; ++p)
        ::SendMessageA(Item(IDC_PATH), WM_CHAR, static_cast<unsigned char>(*p), 1);
}

void MainDialogSession::SetPathText(const CString& strText)
{
    ::SendMessageA(Item(IDC_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.c_str()));
}

void MainDialogSession::Browse(const char* pszPath)
{
    // Posted: the click runs a modal dialog that has to be answered first.
    ::PostMessageA(Item(IDC_BROWSE), BM_CLICK, 0, 0);
    HWND hOpen = wintest::WaitForThreadWindow(m_nUiThread, "#32770", 15000, m_hDialog);
    ASSERT_NE(hOpen, nullptr) << "no file-open dialog";
    if (pszPath != nullptr) {
        ::SendMessageA(wintest::FileNameField(hOpen), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(pszPath));
        ::PostMessageA(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        ::PostMessageA(hOpen, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hOpen); }, 10000))
        << "the file-open dialog stayed open";
    Sync();
}

void MainDialogSession::Sync()
{
    // A message sent from another thread is handled only when the dialog's thread
    // waits for messages again, that is after the handler returned.
    ::SendMessageA(m_hDialog, WM_NULL, 0, 0);
}

bool MainDialogSession::Checked(int nID) const
{
    return ::SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED;
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
