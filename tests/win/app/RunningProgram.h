// The built program run as a process of its own, driven from the test's process as
// the user's tools would drive it.
#pragma once

#include "framework/portable/Utf16.h"
#include "tests/win/app/MainDialogSession.h"

#include <gtest/gtest.h>

// Where a message box keeps its text.
inline constexpr int kBoxTextId = 0xFFFF;

inline BOOL CALLBACK FindMessageBox(HWND hWnd, LPARAM lParam)
{
    if (!::IsWindowVisible(hWnd) || ::GetDlgItem(hWnd, kBoxTextId) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// Tosvik.exe started with strArguments (UTF-8) after its name, until it ends or the
// test does; then it is made to end.
class RunningProgram {
public:
    explicit RunningProgram(const CString& strArguments)
    {
        std::wstring strCommand = Widen("\"" + WinePath(TOSVIK_EXE_PATH) + "\" " + strArguments);
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        if (!::CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                              &m_pi))
            return;
        m_hDialog = wintest::WaitForThreadWindow(m_pi.dwThreadId, "#32770", 30000);
    }
    ~RunningProgram()
    {
        if (m_pi.hProcess == nullptr)
            return;
        if (::WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_pi.hProcess, 1);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The main dialog, or null when the program showed none.
    HWND Dialog() const { return m_hDialog; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hDialog, nID); }
    DWORD Thread() const { return m_pi.dwThreadId; }
    bool Checked(int nID) const { return ::SendMessageW(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // The window of the program that has the keyboard, or null.
    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(Thread(), &info) ? info.hwndFocus : nullptr;
    }

    // The next message box the program shows, or null; its progress dialog is none.
    HWND WaitForBox(DWORD nTimeoutMs = 15000) const
    {
        HWND hBox = nullptr;
        wintest::WaitFor(
            [&] {
                ::EnumThreadWindows(Thread(), &FindMessageBox, reinterpret_cast<LPARAM>(&hBox));
                return hBox != nullptr;
            },
            nTimeoutMs);
        return hBox;
    }

    // Ends it the hard way, as the task manager or a power cut would; true once it is gone.
    bool Kill()
    {
        return ::TerminateProcess(m_pi.hProcess, 9) && ::WaitForSingleObject(m_pi.hProcess, 15000) == WAIT_OBJECT_0;
    }

    void ExpectEndsWithExitCodeZero()
    {
        EXPECT_EQ(::WaitForSingleObject(m_pi.hProcess, 15000), WAIT_OBJECT_0) << "the program went on";
        DWORD nExitCode = 1;
        ::GetExitCodeProcess(m_pi.hProcess, &nExitCode);
        EXPECT_EQ(nExitCode, 0u);
    }

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_hDialog = nullptr;
};
