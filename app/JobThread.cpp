#include "app/JobThread.h"

CJobThread::~CJobThread()
{
    Join();
}

bool CJobThread::Start(std::function<void()> fn)
{
    if (m_bStarted)
        return false;
    m_fn = std::move(fn);
    m_hThread = ::CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    m_bStarted = m_hThread != nullptr;
    return m_bStarted;
}

void CJobThread::Join()
{
    if (m_hThread == nullptr)
        return;
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}

DWORD WINAPI CJobThread::Run(LPVOID pParam)
{
    static_cast<CJobThread*>(pParam)->m_fn();
    return 0;
}
