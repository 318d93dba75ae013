// The hourglass while a long job blocks the window. The previous cursor comes back
// when the object goes, also when the job ends by an exception.
#pragma once

#include "framework/win32/Win32.h"

class CWaitCursor {
public:
    CWaitCursor() : m_hPrevious(::SetCursor(::LoadCursorW(nullptr, kIdcWait))) {}
    ~CWaitCursor() { ::SetCursor(m_hPrevious); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    // IDC_WAIT, in the form the W function takes.
    static inline const LPCWSTR kIdcWait = MAKEINTRESOURCEW(32514);
    HCURSOR m_hPrevious;
};
