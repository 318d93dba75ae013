#include "tests/win/framework/WinTestUtil.h"

#include "framework/portable/Utf16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace wintest {

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, (std::min)(timeoutMs - elapsed, DWORD{50}),
                                    QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

namespace {
struct FindRequest {
    std::wstring className;
    HWND hExclude;
    HWND hFound;
};

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam)
{
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hWnd, szClass, static_cast<int>(std::size(szClass)));
    if (hWnd != request->hExclude && ::IsWindowVisible(hWnd) &&
        ::lstrcmpiW(szClass, request->className.c_str()) == 0) {
        request->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindThreadWindow(DWORD threadId, LPCSTR className, HWND hExclude)
{
    FindRequest request = {Widen(className), hExclude, nullptr};
    ::EnumThreadWindows(threadId, &FindProc, reinterpret_cast<LPARAM>(&request));
    return request.hFound;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs)
            return done();
        ::Sleep(20);
    }
    return true;
}

HWND WaitForThreadWindow(DWORD threadId, LPCSTR className, DWORD timeoutMs, HWND hExclude)
{
    HWND hWnd = nullptr;
    WaitFor([&] { return (hWnd = FindThreadWindow(threadId, className, hExclude)) != nullptr; },
            timeoutMs);
    return hWnd;
}

BackgroundAction::BackgroundAction(std::function<void()> action)
    : m_action(std::move(action)), m_hThread(::CreateThread(nullptr, 0, &Run, this, 0, nullptr))
{
}

BackgroundAction::~BackgroundAction()
{
    if (m_hThread == nullptr)
        return;
    Wait(INFINITE);
    ::CloseHandle(m_hThread);
}

bool BackgroundAction::Wait(DWORD timeoutMs)
{
    if (m_hThread == nullptr)
        return false;
    DWORD start = ::GetTickCount();
    for (;;) {
        DWORD elapsed = ::GetTickCount() - start;
        DWORD wait = timeoutMs == INFINITE ? INFINITE
                     : elapsed >= timeoutMs ? 0
                                            : timeoutMs - elapsed;
        DWORD result = ::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, wait, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
        PumpPending();
    }
}

DWORD WINAPI BackgroundAction::Run(LPVOID pParam)
{
    static_cast<BackgroundAction*>(pParam)->m_action();
    return 0;
}

INT_PTR DriveModal(const std::function<INT_PTR()>& run, const std::function<void(HWND)>& drive)
{
    DWORD threadId = ::GetCurrentThreadId();
    BackgroundAction action([&] {
        HWND hDialog = WaitForThreadWindow(threadId, "#32770");
        if (hDialog == nullptr) {
            ADD_FAILURE() << "no dialog showed up";
            return;
        }
        drive(hDialog);
    });
    INT_PTR nResult = run();
    EXPECT_TRUE(action.Wait()) << "the driver did not end";
    return nResult;
}

std::wstring WindowTextW(HWND hWnd)
{
    // Timed out, so a hung window cannot hang the test; not "abort if hung": under
    // the 32-bit emulator a window busy setting itself up can look hung to Wine.
    DWORD_PTR nLength = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 30000, &nLength);
    std::wstring strText(nLength + 1, L'\0');
    DWORD_PTR nCopied = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, nLength + 1, reinterpret_cast<LPARAM>(&strText[0]),
                          SMTO_NORMAL, 30000, &nCopied);
    strText.resize((std::min)(nCopied, nLength));
    return strText;
}

CString WindowText(HWND hWnd)
{
    return Narrow(WindowTextW(hWnd));
}

void SetWindowText(HWND hWnd, const CString& utf8)
{
    std::wstring text = Widen(utf8);
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_NORMAL, 30000, &nResult);
}

HWND FileNameField(HWND hOpenDialog)
{
    if (HWND hCombo = ::GetDlgItem(hOpenDialog, 0x47C))  // cmb13
        return hCombo;
    return ::GetDlgItem(hOpenDialog, 0x480);  // edt1
}

void Click(HWND hDialog, int nID)
{
    ::SendMessageW(::GetDlgItem(hDialog, nID), BM_CLICK, 0, 0);
}

namespace {
MessageBoxRecorder* g_pRecorder = nullptr;
}

MessageBoxRecorder::MessageBoxRecorder(int answer)
    : m_answer(answer), m_pfnPrevious(AfxSetMessageBoxHook(&Hook))
{
    g_pRecorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    AfxSetMessageBoxHook(m_pfnPrevious);
    g_pRecorder = nullptr;
}

int MessageBoxRecorder::Hook(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    MessageBoxRecorder* self = g_pRecorder;
    Box box = {hOwner, pszText != nullptr ? pszText : "", pszCaption != nullptr ? pszCaption : "",
               nType};
    self->m_boxes.push_back(box);
    if (self->onBox)
        self->onBox(box);
    return self->m_answer;
}

}  // namespace wintest
