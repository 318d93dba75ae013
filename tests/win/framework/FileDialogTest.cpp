// The system's file-open dialog, driven from a second thread with real messages.
#include "framework/win32/FileDialog.h"
#include "framework/win32/WinApp.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

namespace {

using wintest::FileNameField;

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szDir[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, szDir));
        char szFile[MAX_PATH];
        ASSERT_NE(0u, ::GetTempFileNameA(szDir, "fdt", 0, szFile));
        char szLong[MAX_PATH];
        DWORD n = ::GetLongPathNameA(szFile, szLong, MAX_PATH);
        m_strPath = n > 0 && n < MAX_PATH ? szLong : szFile;
        m_hMain = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hMain);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_strPath.c_str());
        ::DestroyWindow(m_hMain);
    }

    // Opens the dialog the way the program does; drive(hDialog) runs on another
    // thread once the dialog is up.
    INT_PTR Run(CFileDialog& dlg, std::function<void(HWND)> drive)
    {
        return wintest::DriveModal([&] { return dlg.DoModal(); }, [&](HWND hDialog) {
            m_hFound = hDialog;
            m_hOwner = ::GetWindow(hDialog, GW_OWNER);
            // Let the dialog finish setting itself up before it is driven.
            ::Sleep(300);
            m_strInitialName = wintest::WindowText(FileNameField(hDialog));
            drive(hDialog);
        });
    }

    CString m_strPath;
    HWND m_hMain = nullptr;
    HWND m_hFound = nullptr;
    HWND m_hOwner = nullptr;
    CString m_strInitialName;
};

TEST_F(FileDialogTest, OpenGivesTheTypedPathAndBelongsToTheMainWindow)
{
    CWinApp app;
    CWnd main(m_hMain);
    app.m_pMainWnd = &main;
    CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    INT_PTR nResult = Run(dlg, [this](HWND hDialog) {
        ::SendMessageA(FileNameField(hDialog), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(m_strPath.c_str()));
        ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, IDOK)));
    });
    app.m_pMainWnd = nullptr;
    ASSERT_NE(nullptr, m_hFound);
    EXPECT_EQ(m_hMain, m_hOwner);
    EXPECT_EQ("*.*", m_strInitialName);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(0, lstrcmpiA(m_strPath.c_str(), dlg.GetPathName().c_str()))
        << m_strPath << " / " << dlg.GetPathName();
}

TEST_F(FileDialogTest, CancelGivesIdCancel)
{
    CFileDialog dlg(TRUE);
    INT_PTR nResult = Run(dlg, [](HWND hDialog) {
        ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, IDCANCEL)));
    });
    ASSERT_NE(nullptr, m_hFound);
    EXPECT_EQ(nullptr, m_hOwner);
    EXPECT_EQ(IDCANCEL, nResult);
}

}  // namespace
