#include "tests/engine/TestFiles.h"

#include "framework/portable/File.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

CTempDir::CTempDir(const std::string& strBase)
{
    const fs::path base = strBase.empty() ? fs::temp_directory_path() : fs::u8path(strBase);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path dir = base / ("tosvik-" + std::to_string(random()));
        if (fs::create_directory(dir)) {
            m_strDir = dir.string();
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    fs::remove_all(fs::path(m_strDir), ec);
}

std::string CTempDir::Path(const std::string& name) const
{
    return m_strDir + kSeparator + name;
}

std::size_t CTempDir::Count() const
{
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(m_strDir))) {
        (void)entry;
        ++n;
    }
    return n;
}

std::string MakeBytes(std::size_t n, unsigned seed)
{
    std::minstd_rand random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        throw std::runtime_error("cannot create " + path);
    file.Write(bytes.data(), bytes.size());
}

std::string ReadBytes(const std::string& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        throw std::runtime_error("cannot open " + path);
    std::string bytes(static_cast<std::size_t>(file.GetLength()), '\0');
    bytes.resize(file.Read(&bytes[0], bytes.size()));
    return bytes;
}

bool FileExists(const std::string& path)
{
    CFile file;
    return file.Open(path, CFile::modeRead);
}

void WriteSparse(const std::string& path, std::uint64_t nLength, const std::string& head, const std::string& tail)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        throw std::runtime_error("cannot create " + path);
    file.Write(head.data(), head.size());
    file.Seek(nLength - tail.size());
    file.Write(tail.data(), tail.size());
}

#ifndef _WIN32
CFileSizeLimit::CFileSizeLimit(rlim_t nBytes)
{
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_pfnSaved = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = m_saved;
    limit.rlim_cur = nBytes < m_saved.rlim_max ? nBytes : m_saved.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_pfnSaved);
}
#endif

// Lets the refused huge allocation of a test return null under AddressSanitizer too.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}

testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    const std::size_t nCommon = std::min(actual.size(), expected.size());
    std::size_t at = 0;
    while (at < nCommon && actual[at] == expected[at])
        ++at;
    if (at == nCommon && actual.size() == expected.size())
        return testing::AssertionSuccess();
    testing::AssertionResult result = testing::AssertionFailure();
    result << actual.size() << " bytes where " << expected.size() << " were expected";
    if (at < nCommon)
        result << ", first differing at offset " << at;
    return result;
}

bool operator==(const CJobOutcome& a, const CJobOutcome& b)
{
    return a.kind == b.kind && a.end == b.end && a.reason == b.reason && a.strFile == b.strFile &&
        a.strOtherFile == b.strOtherFile;
}

void PrintTo(const CJobOutcome& outcome, std::ostream* os)
{
    static const char* const kEnds[] = {"Done", "Cancelled", "Refused", "Failed", "Asks"};
    static const char* const kKinds[] = {"split ", "merge ", "check "};
    *os << kKinds[static_cast<int>(outcome.kind)] << kEnds[static_cast<int>(outcome.end)]
        << ", reason " << static_cast<int>(outcome.reason) << ", \"" << outcome.strFile << "\"";
    if (!outcome.strOtherFile.empty())
        *os << ", \"" << outcome.strOtherFile << "\"";
}
