// A file that takes its name only when it is whole: committed it replaces what had
// the name; in every other case, a killed process included, the folder stays as it was.
#include "framework/portable/PendingFile.h"

#include "framework/portable/String.h"
#include "framework/portable/TestHooks.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include "tests/engine/KilledProcess.h"
#endif

namespace fs = std::filesystem;

namespace {

// Names a pending file holds on disk: none natively, its temporary one on Windows
// and where a file system refuses unnamed files.
std::size_t NamesWhilePending()
{
#ifdef _WIN32
    return 1;
#else
    return TestHooks().bNoUnnamedFiles ? 1 : 0;
#endif
}

// As where the file system refuses O_TMPFILE, for one scope.
struct CNoUnnamedFiles {
    explicit CNoUnnamedFiles(bool bOn) { TestHooks().bNoUnnamedFiles = bOn; }
    ~CNoUnnamedFiles() { TestHooks().bNoUnnamedFiles = false; }
};

// Written, then committed, discarded, or left to the destructor: the final name
// changes only on commit, and then nothing else is left in the folder; also where a
// named temporary file stands in.
TEST(PendingFile, CommitOrNothing)
{
  for (bool bNamed : {false, true}) {
    const CNoUnnamedFiles named(bNamed);
    enum How { COMMIT, DISCARD, DESTRUCTOR };
    const struct {
        bool bEarlier;
        How how;
    } rows[] = {
        {false, COMMIT}, {true, COMMIT}, {false, DISCARD}, {true, DISCARD}, {true, DESTRUCTOR},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "named " << bNamed << ", earlier file " << row.bEarlier << ", way " << row.how);
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
            EXPECT_EQ(dir.Count(), nBefore + NamesWhilePending());
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
}

// A temporary name that someone else's file has already is passed over, by a
// pending file as it is made or named and by an earlier file moved aside.
TEST(PendingFile, TakenTemporaryNameIsNeverReplaced)
{
    for (int how = 0; how < 3; ++how) {
        SCOPED_TRACE(how == 0 ? "unnamed" : how == 1 ? "named" : "aside");
        const CNoUnnamedFiles named(how == 1);
        CTempDir dir;
        const std::string strTaken = dir.Path(AfxFormat("~tosvik%08x.tmp", 0x5eed0000u));
        WriteBytes(strTaken, "someone's");
        WriteBytes(dir.Path("out.bin"), "earlier");
        TestHooks().nNextTemporaryName = 0x5eed0000u;
        CPendingFile file;
        CAsideFile aside;
        EXPECT_TRUE(how == 2 ? aside.MoveAside(dir.Path("out.bin")) : file.Create(dir.Path("out.bin")) && file.Commit());
        EXPECT_EQ(ReadBytes(strTaken), "someone's");
        EXPECT_EQ(dir.Count(), 2u);
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
// Killed while its file is pending, a writer leaves the folder as it was: the file
// never had a name. Where the file system gives no unnamed files, it leaves its
// named temporary file, and so does one killed with an earlier file moved aside; the
// next job in the folder removes them, but none that a live writer holds. (Under
// Wine the real program is killed in the middle of a split.)
TEST(PendingFile, KilledWriterLeavesNothingTheNextJobKeeps)
{
    const struct {
        bool bNamed, bAside;
        std::size_t nLeft;
    } rows[] = {{false, false, 1}, {true, false, 2}, {true, true, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "named " << row.bNamed << ", aside " << row.bAside);
        const CNoUnnamedFiles named(row.bNamed);
        CTempDir dir;
        const std::string strFinal = dir.Path("out.bin");
        WriteBytes(strFinal, "earlier");
        std::size_t nWhileStopped = 0;
        EXPECT_TRUE(RunUntilKilled(
            [&](const std::function<void()>& stopHere) {
                CPendingFile file;
                CAsideFile aside;
                if (file.Create(strFinal) && (!row.bAside || aside.MoveAside(strFinal))) {
                    file.File().Write("pending", 7);
                    stopHere();
                }
            },
            [&] {
                RemoveAbandonedTemporaryFiles(strFinal);
                nWhileStopped = dir.Count();
            }));
        EXPECT_EQ(nWhileStopped, row.nLeft) << "a live writer's file swept away";
        EXPECT_EQ(dir.Count(), row.nLeft);
        CPendingFile live;
        ASSERT_TRUE(live.Create(strFinal));
        RemoveAbandonedTemporaryFiles(strFinal);
        EXPECT_EQ(dir.Count(), (row.bAside ? 0u : 1u) + NamesWhilePending()) << "left or live";
        EXPECT_EQ(FileExists(strFinal) ? ReadBytes(strFinal) : "(moved aside when the writer died)",
                  row.bAside ? "(moved aside when the writer died)" : "earlier");
    }
}
#endif

} // namespace
