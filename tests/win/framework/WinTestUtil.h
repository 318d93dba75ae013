// Helpers for tests that drive real windows under Wine: pumping this thread's
// messages, finding a thread's windows, acting on a modal window from another
// thread, and recording message boxes. Texts are UTF-8, as the framework's, and go
// to and from windows as UTF-16 (the W messages), whatever the system's code page.
#pragma once

#include "framework/win32/MessageBox.h"
#include "framework/portable/String.h"
#include "framework/win32/Win32.h"

#include <functional>
#include <string>
#include <vector>

namespace wintest {

// Dispatches this thread's queued messages until none is left.
void PumpPending();
// Dispatches this thread's messages until done() is true or timeoutMs passed;
// returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// A visible top-level window of thread threadId with class className (e.g.
// "#32770" for dialogs) that is not hExclude, or null.
HWND FindThreadWindow(DWORD threadId, LPCSTR className, HWND hExclude = nullptr);

// Polls done (sleeping, for a thread that drives another one) until it holds or
// timeoutMs passed; returns done().
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// FindThreadWindow, polled until it finds one or timeoutMs passed. For other
// threads: it sleeps between polls.
HWND WaitForThreadWindow(DWORD threadId, LPCSTR className, DWORD timeoutMs = 10000,
                         HWND hExclude = nullptr);

// Runs action on a thread of its own, typically to find and drive a modal window
// that the test's thread is running (WaitForThreadWindow, then messages).
// The destructor waits for the action, dispatching this thread's messages meanwhile
// so that SendMessage from the action cannot dead-lock.
class BackgroundAction {
public:
    explicit BackgroundAction(std::function<void()> action);
    ~BackgroundAction();
    BackgroundAction(const BackgroundAction&) = delete;
    BackgroundAction& operator=(const BackgroundAction&) = delete;

    // Waits (pumping) until the action ended; false on timeout.
    bool Wait(DWORD timeoutMs = 15000);

private:
    static DWORD WINAPI Run(LPVOID pParam);

    std::function<void()> m_action;
    HANDLE m_hThread;
};

// Runs run() (a modal loop) on this thread while drive(hDialog) acts, from a thread
// of its own, on the first dialog this thread shows. Returns run()'s result once the
// driver ended too.
INT_PTR DriveModal(const std::function<INT_PTR()>& run, const std::function<void(HWND)>& drive);

// The whole text of a window of any thread, however long, as the window holds it
// (UTF-16) and in UTF-8.
std::wstring WindowTextW(HWND hWnd);
CString WindowText(HWND hWnd);
// Sets a window's text (WM_SETTEXT with UTF-16), of any thread; utf8 in UTF-8.
void SetWindowText(HWND hWnd, const CString& utf8);

// The file-name field of the system's file-open dialog: a combo box in the
// Explorer-style dialog, an edit in the old one.
HWND FileNameField(HWND hOpenDialog);

// A click on control nID of hDialog; returns once its handler ran.
void Click(HWND hDialog, int nID);

// Records every box that goes through AfxShowMessageBox while it lives, and answers
// each with `answer`. One at a time.
class MessageBoxRecorder {
public:
    struct Box {
        HWND hOwner;
        CString text;
        CString caption;
        UINT type;
    };

    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }
    // The answer to the boxes from now on.
    void SetAnswer(int answer) { m_answer = answer; }
    // Called for each box before it is answered (e.g. to look at the focus).
    std::function<void(const Box&)> onBox;

private:
    static int Hook(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);

    int m_answer;
    std::vector<Box> m_boxes;
    MessageBoxFn m_pfnPrevious;
};

}  // namespace wintest
