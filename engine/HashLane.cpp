#include "engine/HashLane.h"

#include <utility>

CHashLane::CHashLane()
{
    if (std::thread::hardware_concurrency() > 1)
        m_thread = std::thread(&CHashLane::Run, this);
}

CHashLane::~CHashLane()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CHashLane::Add(const char* pData, std::size_t nLength)
{
    if (!m_thread.joinable()) {
        m_sha.Update(pData, nLength);
        return;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    Wait(lock);
    m_pData = pData;
    m_nLength = nLength;
    m_bBusy = true;
    m_changed.notify_all();
}

std::string CHashLane::Finish()
{
    if (m_thread.joinable()) {
        std::unique_lock<std::mutex> lock(m_mutex);
        Wait(lock);
    }
    return m_sha.Finish();
}

void CHashLane::Wait(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return !m_bBusy; });
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
}

void CHashLane::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_bBusy || m_bStop; });
        if (!m_bBusy)
            return;
        lock.unlock();
        std::exception_ptr error;
        try {
            m_sha.Update(m_pData, m_nLength);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_error = error;
        m_bBusy = false;
        m_changed.notify_all();
    }
}
