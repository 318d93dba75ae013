#include "engine/HashLane.h"

CHashLane::CHashLane(std::size_t nQueued) : m_nQueued(nQueued)
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
    m_changed.wait(lock, [this] { return m_queue.size() < m_nQueued || m_error; });
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
    m_queue.emplace_back(pData, nLength);
    m_changed.notify_all();
}

std::string CHashLane::Finish()
{
    if (m_thread.joinable()) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return (m_queue.empty() && !m_bHashing) || m_error; });
        if (m_error)
            std::rethrow_exception(std::exchange(m_error, nullptr));
    }
    return m_sha.Finish();
}

void CHashLane::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_bStop; });
        if (m_queue.empty())
            return;
        const auto [pData, nLength] = m_queue.front();
        m_bHashing = true;
        lock.unlock();
        std::exception_ptr error;
        try {
            m_sha.Update(pData, nLength);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_queue.pop_front();
        m_bHashing = false;
        if (error)
            m_error = error;
        m_changed.notify_all();
    }
}
