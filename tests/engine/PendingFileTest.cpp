// A file that takes its name only when it is whole: committed it replaces what had
// the name; in every other case, a killed process included, the folder stays as it was.
#include "framework/portable/PendingFile.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include "tests/engine/KilledProcess.h"

#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

// Names a pending file holds on disk: none natively, its temporary one on Windows.
#ifdef _WIN32
const std::size_t kNamesWhilePending = 1;
#else
const std::size_t kNamesWhilePending = 0;
#endif

#ifdef _WIN32
// The helper program pending_file_child.exe, started to make a pending file of a name
// and write to it; then it waits until it is killed with TerminateProcess.
class CPendingWriter {
public:
    explicit CPendingWriter(const std::string& strFinalName);
    ~CPendingWriter();
    CPendingWriter(const CPendingWriter&) = delete;
    CPendingWriter& operator=(const CPendingWriter&) = delete;

    // What it said once its file was pending: "pending", or why not.
    const std::string& Report() const { return m_strReport; }
    // True when it died of the kill.
    bool Kill();

private:
    std::string m_strReport;
    PROCESS_INFORMATION m_pi = {};
    HANDLE m_hInput = nullptr;
};

// Built beside this program; it reads the name from its input and answers on its output.
CPendingWriter::CPendingWriter(const std::string& strFinalName)
{
    wchar_t szPath[MAX_PATH];
    const DWORD nLength = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strChild(szPath, nLength);
    strChild = strChild.substr(0, strChild.find_last_of(L"\\/") + 1) + L"pending_file_child.exe";
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE hChildInput = nullptr, hOutput = nullptr, hChildOutput = nullptr;
    if (!::CreatePipe(&hChildInput, &m_hInput, &sa, 0) || !::CreatePipe(&hOutput, &hChildOutput, &sa, 0)) {
        m_strReport = "no pipe";
        return;
    }
    ::SetHandleInformation(m_hInput, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(hOutput, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = hChildInput;
    si.hStdOutput = hChildOutput;
    si.hStdError = hChildOutput;
    std::wstring strCommand = L"\"" + strChild + L"\"";
    const bool bStarted =
        ::CreateProcessW(strChild.c_str(), &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &m_pi);
    ::CloseHandle(hChildInput);
    ::CloseHandle(hChildOutput);
    if (!bStarted) {
        m_strReport = "not started";
        ::CloseHandle(hOutput);
        return;
    }
    const std::string strLine = strFinalName + "\n";
    DWORD nDone = 0;
    ::WriteFile(m_hInput, strLine.data(), static_cast<DWORD>(strLine.size()), &nDone, nullptr);
    char c;
    while (::ReadFile(hOutput, &c, 1, &nDone, nullptr) && nDone == 1 && c != '\n') {
        if (c != '\r')
            m_strReport += c;
    }
    ::CloseHandle(hOutput);
}

CPendingWriter::~CPendingWriter()
{
    if (m_pi.hProcess != nullptr) {
        Kill();
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    if (m_hInput != nullptr)
        ::CloseHandle(m_hInput);
}

bool CPendingWriter::Kill()
{
    if (m_pi.hProcess == nullptr || !::TerminateProcess(m_pi.hProcess, 9))
        return false;
    DWORD nExitCode = 0;
    return ::WaitForSingleObject(m_pi.hProcess, 10000) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(m_pi.hProcess, &nExitCode) && nExitCode == 9;
}
#endif

// Written, then committed, discarded, or left to the destructor: the final name
// changes only on commit, and then nothing else is left in the folder.
TEST(PendingFile, CommitOrNothing)
{
    enum How { COMMIT, DISCARD, DESTRUCTOR };
    const struct {
        bool bEarlier;
        How how;
    } rows[] = {
        {false, COMMIT}, {true, COMMIT}, {false, DISCARD}, {true, DISCARD}, {true, DESTRUCTOR},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "earlier file " << row.bEarlier << ", way " << row.how);
        CTempDir dir;
        const std::string strFinal = dir.Path("out.bin");
        const std::string strEarlier = MakeBytes(3000, 1);
        if (row.bEarlier)
            WriteBytes(strFinal, strEarlier);
        const std::size_t nBefore = dir.Count();
        const std::string bytes = MakeBytes(300000, 2);
        {
            CPendingFile file;
            ASSERT_TRUE(file.Create(strFinal)) << file.GetError();
            file.File().Write(bytes.data(), bytes.size());
            EXPECT_EQ(dir.Count(), nBefore + kNamesWhilePending);
            EXPECT_EQ(FileExists(strFinal) ? ReadBytes(strFinal) : "(none)", row.bEarlier ? strEarlier : "(none)");
            if (row.how == COMMIT) {
                ASSERT_TRUE(file.Commit()) << file.GetError();
            } else if (row.how == DISCARD) {
                file.Discard();
            }
        }
        if (row.how == COMMIT) {
            EXPECT_EQ(dir.Count(), 1u);
            EXPECT_TRUE(ReadBytes(strFinal) == bytes) << "the committed file differs";
        } else {
            EXPECT_EQ(dir.Count(), nBefore);
            EXPECT_EQ(FileExists(strFinal) ? ReadBytes(strFinal) : "(none)", row.bEarlier ? strEarlier : "(none)");
        }
    }
}

// The user knows the final name only, so every error names it; a commit that fails
// leaves nothing behind but what was there.
TEST(PendingFile, FailuresNameTheFinalNameAndLeaveNothing)
{
    CTempDir dir;
    CPendingFile missing;
    EXPECT_FALSE(missing.Create(dir.Path("no-such-folder") + "/out.bin"));
    EXPECT_NE(missing.GetError(), 0);

    const std::string strFinal = dir.Path("out.bin");
    CPendingFile file;
    ASSERT_TRUE(file.Create(strFinal));
    char c;
    try {
        file.File().Read(&c, 1);
        ADD_FAILURE() << "read from a file made for writing";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetFileName(), strFinal);
    }
    // A folder of the final name cannot be replaced by a file.
    fs::create_directory(strFinal);
    WriteBytes(dir.Path("out.bin") + "/inside.txt", "x");
    EXPECT_FALSE(file.Commit());
    EXPECT_NE(file.GetError(), 0);
    file.Discard();
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_TRUE(fs::is_directory(strFinal));
}

TEST(PendingFile, OffsetsBeyond4GiB)
{
    CTempDir dir;
    const std::string strFinal = dir.Path("big.bin");
    const std::uint64_t nOffset = (std::uint64_t{1} << 32) + 2;
    CPendingFile file;
    ASSERT_TRUE(file.Create(strFinal));
    file.File().Seek(nOffset);
    file.File().Write("tail", 4);
    ASSERT_TRUE(file.Commit());
    CFile result;
    ASSERT_TRUE(result.Open(strFinal, CFile::modeRead));
    EXPECT_EQ(result.GetLength(), nOffset + 4);
}

// A split holds every piece and its record pending until it commits them together.
TEST(PendingFile, AThousandPendingAtOnce)
{
    const std::size_t nFiles = 1000;
#ifndef _WIN32
    // Low enough that the files would not fit unless the limit is raised.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max < 2 * nFiles)
        GTEST_SKIP() << "the hard limit of open files is " << saved.rlim_max;
    struct rlimit low = saved;
    low.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
#endif
    EXPECT_TRUE(ReserveOpenFiles(nFiles));
    {
        CTempDir dir;
        std::deque<CPendingFile> files(nFiles);
        for (std::size_t i = 0; i < nFiles; ++i) {
            ASSERT_TRUE(files[i].Create(dir.Path("p" + std::to_string(i)))) << i << ": error " << files[i].GetError();
            files[i].File().Write(&i, sizeof i);
        }
        EXPECT_EQ(dir.Count(), nFiles * kNamesWhilePending);
        for (CPendingFile& file : files)
            ASSERT_TRUE(file.Commit()) << file.GetFinalName() << ": error " << file.GetError();
        EXPECT_EQ(dir.Count(), nFiles);
        const std::size_t nLast = nFiles - 1;
        EXPECT_EQ(ReadBytes(dir.Path("p" + std::to_string(nLast))), std::string(reinterpret_cast<const char*>(&nLast), sizeof nLast));
    }
#ifndef _WIN32
    ::setrlimit(RLIMIT_NOFILE, &saved);
#endif
}

// Killed while its file is pending, a process leaves the folder as it was: natively
// the file never had a name, on Windows the system deletes it with the last handle.
TEST(PendingFile, NothingSurvivesAKilledWriter)
{
    CTempDir dir;
    const std::string strFinal = dir.Path("out.bin");
    WriteBytes(strFinal, "earlier");
#ifdef _WIN32
    CPendingWriter writer(strFinal);
    ASSERT_EQ(writer.Report(), "pending");
    EXPECT_EQ(dir.Count(), 2u) << "the writer's file is not pending";
    EXPECT_TRUE(writer.Kill());
#else
    std::size_t nWhileStopped = 0;
    EXPECT_TRUE(RunUntilKilled(
        [&](const std::function<void()>& stopHere) {
            CPendingFile file;
            if (file.Create(strFinal)) {
                file.File().Write("pending", 7);
                stopHere();
            }
        },
        [&] { nWhileStopped = dir.Count(); }));
    EXPECT_EQ(nWhileStopped, 1u) << "a pending file has a name";
#endif
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_EQ(ReadBytes(strFinal), "earlier");
}

} // namespace
