// A job on a thread of its own. The job never waits for the user-interface thread,
// so that thread may simply wait for the job's end.
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
    // Waits for the end of fn.
    void Join();

private:
    static DWORD WINAPI Run(LPVOID pParam);

    std::function<void()> m_fn;
    HANDLE m_hThread = nullptr;
    bool m_bStarted = false;
};
