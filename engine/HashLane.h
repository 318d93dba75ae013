// A SHA-256 fed with blocks beside the copy: on a thread of its own where the machine
// has more than one core, so that hashing overlaps the file I/O.
#pragma once

#include "framework/portable/Sha256.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

class CHashLane {
public:
    CHashLane();
    ~CHashLane();
    CHashLane(const CHashLane&) = delete;
    CHashLane& operator=(const CHashLane&) = delete;

    // Hands over a block that must stay unchanged until the next Add or Finish
    // returns; returns once the block handed over before it is hashed.
    void Add(const char* pData, std::size_t nLength);
    // The digest of every block since the last Finish; starts over.
    std::string Finish();

private:
    void Wait(std::unique_lock<std::mutex>& lock);
    void Run();

    CSha256 m_sha;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const char* m_pData = nullptr;
    std::size_t m_nLength = 0;
    bool m_bBusy = false;
    bool m_bStop = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};
