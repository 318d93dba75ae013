// A job on a thread of its own, whose end the user-interface thread waits for while
// it still answers the messages that the job sends it.
#pragma once

#include "framework/win32/Win32.h"

#include <functional>

class CJobThread {
public:
    CJobThread() = default;
    // Joins a thread that is still running.
    ~CJobThread();
    CJobThread(const CJobThread&) = delete;
    CJobThread& operator=(const CJobThread&) = delete;

    // Runs fn, which must not throw, on a new thread; false when none could be made.
    bool Start(std::function<void()> fn);
    // True once Start succeeded, also after Join.
    bool Started() const { return m_bStarted; }
    // Waits for the end of fn. Messages sent to this thread meanwhile are handled, so
    // that fn may wait for the answer of one without a dead-lock; nothing posted is
    // taken from the queue.
    void Join();

private:
    static DWORD WINAPI Run(LPVOID pParam);

    std::function<void()> m_fn;
    HANDLE m_hThread = nullptr;
    bool m_bStarted = false;
};
