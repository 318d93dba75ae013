#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>
#include <thread>
#endif

namespace {

TEST(File, OpeningIsExclusive)
{
    CTempDir dir;
    const std::string path = dir.Path("a.bin");
    WriteBytes(path, "abc");
    CFile first;
    ASSERT_TRUE(first.Open(path, CFile::modeRead));
    CFile second;
    EXPECT_FALSE(second.Open(path, CFile::modeRead));
    EXPECT_FALSE(second.Open(path, CFile::modeCreate | CFile::modeWrite));
    first.Close();
    EXPECT_TRUE(second.Open(path, CFile::modeRead));
    EXPECT_EQ(second.GetLength(), 3u);
}

// A check that only reads lets other readers in, and keeps writers and exclusive
// openers out, as they keep it out.
TEST(File, ReadersThatShare)
{
    const unsigned R = CFile::modeRead;
    const unsigned S = CFile::modeRead | CFile::shareDenyWrite;
    const unsigned W = CFile::modeCreate | CFile::modeWrite;
    const struct { unsigned first, second; bool bOpens; } rows[] = {
        {S, S, true}, {S, R, false}, {R, S, false}, {S, W, false}, {W, S, false},
    };
    CTempDir dir;
    const std::string path = dir.Path("a.bin");
    WriteBytes(path, "abc");
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.first << " then " << row.second);
        CFile first;
        ASSERT_TRUE(first.Open(path, row.first));
        CFile second;
        EXPECT_EQ(second.Open(path, row.second), row.bOpens);
    }
}

TEST(File, LengthsAndOffsetsBeyond4GiB)
{
    CTempDir dir;
    const std::string path = dir.Path("big.bin");
    const std::uint64_t nLength = (std::uint64_t{1} << 32) + 6;
    WriteSparse(path, nLength, "head", "tail");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    EXPECT_EQ(file.GetLength(), nLength);
    char buffer[8] = {};
    file.Seek(nLength - 4);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "tail");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

TEST(File, ReadAndWriteFailuresThrowWithTheFileName)
{
    CTempDir dir;
    const std::string path = dir.Path("a.bin");
    WriteBytes(path, "abc");
    char buffer[4];
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeRead));
        try {
            file.Write("x", 1);
            ADD_FAILURE() << "write to a file opened for reading";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetFileName(), path);
            EXPECT_EQ(e.GetOperation(), "Write");
            EXPECT_FALSE(e.GetCauseText().empty());
        }
    }
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_THROW(file.Read(buffer, sizeof buffer), CFileException);
}

#ifndef _WIN32
// Read promises fewer bytes only at the end of the file: a pipe or a network file
// system hands them over in parts, and a part is no end.
TEST(File, ReadWaitsForEveryPartOfAShortDelivery)
{
    // A faulty Read closes the pipe early; the writer must see an error, not a signal.
    signal(SIGPIPE, SIG_IGN);
    CTempDir dir;
    const std::string path = dir.Path("fifo");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    // The writer's end is plain: CFile's lock would be taken on the pipe both ends share.
    std::thread writer([&] {
        const int fd = ::open(path.c_str(), O_WRONLY);
        if (fd < 0)
            return;
        (void)!::write(fd, "first-", 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        (void)!::write(fd, "second", 6);
        ::close(fd);
    });
    CFile in;
    ASSERT_TRUE(in.Open(path, CFile::modeRead));
    char buffer[16] = {};
    const std::size_t nRead = in.Read(buffer, 12);
    writer.join();
    EXPECT_EQ(std::string(buffer, nRead), "first-second");
}
#endif

// Only a regular file may be opened to read a record: a pipe blocks the reader until
// someone writes.
TEST(File, RegularFilesOnly)
{
    CTempDir dir;
    WriteBytes(dir.Path("a.bin"), "abc");
    std::filesystem::create_directory(dir.Path("folder"));
    const struct {
        std::string path;
        bool bRegular;
    } rows[] = {
        {dir.Path("a.bin"), true},
        {dir.Path("folder"), false},
        {dir.Path("missing.bin"), false},
#ifdef _WIN32
        {dir.Path("nul"), false},
#ifdef TOSVIK_FIFO_PATH
        {"Z:" TOSVIK_FIFO_PATH, false},
#endif
#else
        {dir.Path("link.bin"), true},
        {dir.Path("pipe.sha256"), false},
        {dir.Path("pipe-link.sha256"), false},
        {"/dev/null", false},
#endif
    };
#ifndef _WIN32
    std::filesystem::create_symlink(dir.Path("a.bin"), dir.Path("link.bin"));
    ASSERT_EQ(::mkfifo(dir.Path("pipe.sha256").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.Path("pipe.sha256"), dir.Path("pipe-link.sha256"));
#endif
    for (const auto& row : rows)
        EXPECT_EQ(IsRegularFile(row.path), row.bRegular) << row.path;
}

#ifdef _WIN32
TEST(File, CauseTextIsTheSystemsOrTheNumber)
{
    EXPECT_EQ(CFileException("f", "Read", 0x2000ABCD).GetCauseText(), "error 0x2000ABCD");
    const std::string text = CFileException("f", "Read", ERROR_FILE_NOT_FOUND).GetCauseText();
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.rfind("error 0x", 0), 0u);
    EXPECT_NE(text.back(), '\n');
}
#endif

} // namespace
