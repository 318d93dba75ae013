// Records every call that goes through AfxShellNotifyIcon while it lives. Each call
// is passed on to the real shell, whose answer is recorded and returned, unless the
// recorder was told to answer by itself.
#pragma once

#include "framework/win32/ShellNotify.h"

#include <mutex>
#include <optional>
#include <vector>

class ShellNotifyRecorder {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA record;  // the bytes the caller's cbSize covers, the rest zero
        BOOL result;
    };

    ShellNotifyRecorder();
    ~ShellNotifyRecorder();
    ShellNotifyRecorder(const ShellNotifyRecorder&) = delete;
    ShellNotifyRecorder& operator=(const ShellNotifyRecorder&) = delete;

    // From now on the shell is not asked; every call gets this answer.
    void AnswerWith(BOOL answer);

    // A copy, safe to take from another thread than the one making the calls.
    std::vector<Call> Calls() const;

private:
    static BOOL Hook(DWORD dwMessage, NOTIFYICONDATAA* pnid);

    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
    std::optional<BOOL> m_answer;
    ShellNotifyIconFn m_pfnPrevious;
};
