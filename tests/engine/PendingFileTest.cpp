// A file that takes its name only when it is whole: committed it replaces what had
// the name; in every other case, a killed process included, the folder stays as it was.
#include "framework/portable/PendingFile.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include "tests/engine/KilledProcess.h"
#endif

namespace fs = std::filesystem;

namespace {

// Names a pending file holds on disk: none natively, its temporary one on Windows.
#ifdef _WIN32
const std::size_t kNamesWhilePending = 1;
#else
const std::size_t kNamesWhilePending = 0;
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

#ifndef _WIN32
// Killed while its file is pending, a process leaves the folder as it was: the file
// never had a name. (Under Wine the real program is killed in the middle of a split.)
TEST(PendingFile, NothingSurvivesAKilledWriter)
{
    CTempDir dir;
    const std::string strFinal = dir.Path("out.bin");
    WriteBytes(strFinal, "earlier");
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
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_EQ(ReadBytes(strFinal), "earlier");
}
#endif

} // namespace
