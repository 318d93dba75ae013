// Real files in a temporary folder made for one test, and job outcomes as tests
// compare them.
#pragma once

#include "engine/JobOutcome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder (or under strBase), removed with
// all it holds.
class CTempDir {
public:
    explicit CTempDir(const std::string& strBase = std::string());
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    // Full path of name inside the folder, with the platform's separator.
    std::string Path(const std::string& name) const;
    // The folder itself, with no separator after it.
    const std::string& Folder() const { return m_strDir; }
    // Number of entries in the folder.
    std::size_t Count() const;

private:
    std::string m_strDir;
};

// n bytes that differ from position to position, so misplaced slices show.
std::string MakeBytes(std::size_t n, unsigned seed = 1);

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// A file of nLength bytes, zero except for the bytes given at the start and the end.
void WriteSparse(const std::string& path, std::uint64_t nLength, const std::string& head, const std::string& tail);

#ifndef _WIN32
#include <sys/resource.h>

// Lowers the largest file this process may write (SIGXFSZ ignored), and restores it.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t nBytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    struct rlimit m_saved;
    void (*m_pfnSaved)(int);
};
#endif

// Bytes compared so that a failure prints one line (lengths and the first differing
// offset), not megabytes of both buffers.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

// Outcomes compare by what they tell: kind, end, reason and the files named. The
// system's cause differs between systems; tests look at it where it matters.
bool operator==(const CJobOutcome& a, const CJobOutcome& b);
// Readable in a failed expectation.
void PrintTo(const CJobOutcome& outcome, std::ostream* os);
