// A SHA-256 fed with blocks beside the copy: on a thread of its own where the machine
// has more than one core, so that hashing overlaps the file I/O. Blocks wait in a
// short queue, so the thread hashes on while the copy reads and writes.
#pragma once

#include "framework/portable/Sha256.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

class CHashLane {
public:
    // At most nQueued blocks wait; a block handed over nQueued + 1 calls of Add ago
    // is hashed when Add returns.
    explicit CHashLane(std::size_t nQueued);
    ~CHashLane();
    CHashLane(const CHashLane&) = delete;
    CHashLane& operator=(const CHashLane&) = delete;

    // Hands over a block that must stay unchanged until it is hashed (see above).
    void Add(const char* pData, std::size_t nLength);
    // The digest of every block since the last Finish; starts over.
    std::string Finish();

private:
    void Run();

    CSha256 m_sha;
    const std::size_t m_nQueued;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<const char*, std::size_t>> m_queue;
    bool m_bHashing = false;
    bool m_bStop = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};
