// The system's file-open dialog, driven from a second thread with real messages:
// paths of any script come back whole, and a failure is told apart from a cancel.
#include "framework/win32/FileDialog.h"
#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using wintest::FileNameField;

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, szTemp));
        wchar_t szLong[MAX_PATH];
        DWORD n = ::GetLongPathNameW(szTemp, szLong, MAX_PATH);
        m_strDir = (n > 0 && n < MAX_PATH ? szLong : szTemp) +
                   std::wstring(L"fdt-") + std::to_wstring(::GetCurrentProcessId());
        ASSERT_TRUE(::CreateDirectoryW(m_strDir.c_str(), nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
        m_hMain = ::CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hMain);
    }
    void TearDown() override
    {
        for (const std::wstring& strFile : m_files)
            ::DeleteFileW(strFile.c_str());
        ::RemoveDirectoryW(m_strDir.c_str());
        ::DestroyWindow(m_hMain);
    }

    // A new empty file of that name in the test's folder; its full path in UTF-8.
    CString MakeFile(const CString& strName)
    {
        std::wstring strPath = m_strDir + L"\\" + Widen(strName);
        HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, hFile);
        ::CloseHandle(hFile);
        m_files.push_back(strPath);
        return Narrow(strPath);
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

    // Types strPath into the name field and presses Open.
    static void Choose(HWND hDialog, const CString& strPath)
    {
        wintest::SetWindowText(FileNameField(hDialog), strPath);
        ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, IDOK)));
    }

    std::wstring m_strDir;
    std::vector<std::wstring> m_files;
    HWND m_hMain = nullptr;
    HWND m_hFound = nullptr;
    HWND m_hOwner = nullptr;
    CString m_strInitialName;
};

TEST_F(FileDialogTest, OpenGivesTheTypedPathWholeAndBelongsToTheMainWindow)
{
    // Korean and an emoji (a surrogate pair in UTF-16) exist in no code page that
    // also holds Chinese: only the wide path brings them back.
    const char* names[] = {"plain.bin", "한국어😀.txt", "数据 文件.avi"};
    CWinApp app;
    CWnd main(m_hMain);
    app.m_pMainWnd = &main;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        CString strPath = MakeFile(name);
        CFileDialog dlg(nullptr, "*.*", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
        m_hFound = m_hOwner = nullptr;
        INT_PTR nResult = Run(dlg, [&](HWND hDialog) { Choose(hDialog, strPath); });
        ASSERT_NE(nullptr, m_hFound);
        EXPECT_EQ(m_hMain, m_hOwner);
        EXPECT_EQ("*.*", m_strInitialName);
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(0u, dlg.GetError());
        EXPECT_EQ(0, ::lstrcmpiW(Widen(strPath).c_str(), Widen(dlg.GetPathName()).c_str()))
            << strPath << " / " << dlg.GetPathName();
    }
    app.m_pMainWnd = nullptr;
}

TEST_F(FileDialogTest, CancelGivesIdCancelNoErrorAndNoPath)
{
    CFileDialog dlg(nullptr, "*.*");
    INT_PTR nResult = Run(dlg, [](HWND hDialog) {
        ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, IDCANCEL)));
    });
    ASSERT_NE(nullptr, m_hFound);
    EXPECT_EQ(nullptr, m_hOwner);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(0u, dlg.GetError());
    EXPECT_EQ("", dlg.GetPathName());
}

TEST_F(FileDialogTest, AFailureGivesIdCancelWithTheSystemsReasonAndNoPath)
{
    CString strPath = MakeFile("a rather long name 한국어 😀 for a small buffer.txt");
    struct Row {
        const char* what;
        void (*spoil)(OPENFILENAMEW& ofn);
        bool bShowsDialog;
        DWORD nError;
    } rows[] = {
        {"record of an unknown size", [](OPENFILENAMEW& ofn) { ofn.lStructSize = 12; }, false,
         static_cast<DWORD>(CDERR_STRUCTSIZE)},
        {"buffer too small for the path", [](OPENFILENAMEW& ofn) { ofn.nMaxFile = 16; }, true,
         static_cast<DWORD>(FNERR_BUFFERTOOSMALL)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CFileDialog dlg(nullptr, "*.*");
        row.spoil(dlg.m_ofn);
        m_hFound = nullptr;
        INT_PTR nResult = row.bShowsDialog
                              ? Run(dlg, [&](HWND hDialog) { Choose(hDialog, strPath); })
                              : dlg.DoModal();
        EXPECT_EQ(row.bShowsDialog, m_hFound != nullptr);
        EXPECT_EQ(IDCANCEL, nResult);
        EXPECT_EQ(row.nError, dlg.GetError());
        EXPECT_EQ("", dlg.GetPathName());
    }
}

}  // namespace
