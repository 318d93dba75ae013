// The built program: its one dialog ends it by every way the user has.
#include "tests/win/app/MainDialogSession.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

void EndProgramBy(const char* pszHow, const std::function<void(HWND hDialog, DWORD nThread)>& end)
{
    SCOPED_TRACE(pszHow);
    CString strCommand = "\"" + WinePath(TOSVIK_EXE_PATH) + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &si, &pi));
    HWND hDialog = wintest::WaitForThreadWindow(pi.dwThreadId, "#32770", 30000);
    EXPECT_NE(hDialog, nullptr) << "the program showed no dialog";
    if (hDialog != nullptr) {
        EXPECT_EQ(wintest::WindowText(::GetDlgItem(hDialog, IDCANCEL)), "退出");
        end(hDialog, pi.dwThreadId);
    }
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0) << "the program went on";
    DWORD nExitCode = 1;
    ::GetExitCodeProcess(pi.hProcess, &nExitCode);
    EXPECT_EQ(nExitCode, 0u);
    if (nExitCode == STILL_ACTIVE)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

}  // namespace

TEST(Program, ExitEscAndTheCloseBoxEndIt)
{
    EndProgramBy("Exit", [](HWND hDialog, DWORD) {
        ::PostMessageA(::GetDlgItem(hDialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EndProgramBy("Esc", [](HWND hDialog, DWORD nThread) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        ::GetGUIThreadInfo(nThread, &info);
        HWND hTarget = info.hwndFocus != nullptr ? info.hwndFocus : hDialog;
        ::PostMessageA(hTarget, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EndProgramBy("close box", [](HWND hDialog, DWORD) {
        ::PostMessageA(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
}
