// Jobs that write into a folder the user chose: what lands there, that the folder of
// the source or pieces is only read, and that every refusal leaves both folders as
// they were.
#include "engine/TargetFolder.h"

#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/Folder.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

// A folder's files by name, with their bytes.
std::map<std::string, std::string> Contents(const CTempDir& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::u8path(dir.Path(""))))
        files[entry.path().filename().u8string()] = ReadBytes(entry.path().u8string());
    return files;
}

#ifdef _WIN32
const char kUnwritableFolder[] = "Z:\\proc";
#else
const char kUnwritableFolder[] = "/proc";
#endif

enum class Target {
    Other,
    OtherWithSeparator,
    OtherHoldingAnEarlierSet,
    Missing,
    AFile,
    Relative,
    Unwritable,
    NameLinkedToARead,   // the first name written there is another name of a file read
};

} // namespace

// film.mkv (2500 bytes) lies with an earlier set of its own (1000-byte pieces and
// record). A split at 700 bytes writes film_001..004.mkv and the record into the
// target; a merge from film_001.mkv writes film.mkv there. The damaged row breaks
// piece 002 of the set beside the source first.
TEST(TargetFolder, JobsWriteOnlyIntoTheChosenFolder)
{
    const JobKind S = JobKind::Split;
    const JobKind M = JobKind::Merge;
    const struct {
        JobKind kind;
        Target target;
        bool bDamaged;
        JobEnd end;
        JobReason reason;
        std::size_t nTargetFiles;   // after a job that did not stop early
    } rows[] = {
        {S, Target::Other, false, JobEnd::Done, JobReason::Finished, 5},
        {S, Target::OtherWithSeparator, false, JobEnd::Done, JobReason::Finished, 5},
        // Its piece 005 goes with it: the earlier record there lists it.
        {S, Target::OtherHoldingAnEarlierSet, false, JobEnd::Done, JobReason::Finished, 5},
        {S, Target::Missing, false, JobEnd::Refused, JobReason::TargetMissing, 0},
        {S, Target::AFile, false, JobEnd::Refused, JobReason::TargetNotFolder, 0},
        {S, Target::Relative, false, JobEnd::Refused, JobReason::TargetNotAbsolute, 0},
        {S, Target::Unwritable, false, JobEnd::Refused, JobReason::TargetUnwritable, 0},
        {S, Target::NameLinkedToARead, false, JobEnd::Refused, JobReason::SameFile, 0},
        {M, Target::Other, false, JobEnd::Done, JobReason::Finished, 1},
        {M, Target::OtherWithSeparator, false, JobEnd::Done, JobReason::Finished, 1},
        {M, Target::Missing, false, JobEnd::Refused, JobReason::TargetMissing, 0},
        {M, Target::AFile, false, JobEnd::Refused, JobReason::TargetNotFolder, 0},
        {M, Target::Relative, false, JobEnd::Refused, JobReason::TargetNotAbsolute, 0},
        {M, Target::Unwritable, false, JobEnd::Refused, JobReason::TargetUnwritable, 0},
        {M, Target::NameLinkedToARead, false, JobEnd::Refused, JobReason::SameFile, 0},
        {M, Target::Other, true, JobEnd::Failed, JobReason::PieceDamaged, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.kind == S ? "split" : "merge") << " row "
                                        << static_cast<int>(row.target) << (row.bDamaged ? " damaged" : ""));
        CTempDir source;
        CTempDir target;
        const std::string bytes = MakeBytes(2500);
        WriteBytes(source.Path("film.mkv"), bytes);
        ASSERT_TRUE(SplitFile(source.Path("film.mkv"), 1000).IsDone());
        if (row.bDamaged)
            WriteBytes(source.Path("film_002.mkv"), MakeBytes(1000, 7));
        const std::string written = row.kind == S ? "film_001.mkv" : "film.mkv";
        std::string targetDir = target.Folder();
        switch (row.target) {
        case Target::Other:
            break;
        case Target::OtherWithSeparator:
            targetDir = target.Path("");
            break;
        case Target::OtherHoldingAnEarlierSet:
            WriteBytes(target.Path("film.mkv"), MakeBytes(2500, 3));
            ASSERT_TRUE(SplitFile(target.Path("film.mkv"), 500).IsDone());
            fs::remove(fs::u8path(target.Path("film.mkv")));
            break;
        case Target::Missing:
            targetDir = target.Path("gone");
            break;
        case Target::AFile:
            targetDir = target.Path("a.txt");
            WriteBytes(targetDir, "x");
            break;
        case Target::Relative:
            targetDir = "stick";
            break;
        case Target::Unwritable:
            targetDir = kUnwritableFolder;
            break;
        case Target::NameLinkedToARead:
            fs::create_hard_link(fs::u8path(source.Path(row.kind == S ? "film.mkv" : "film_002.mkv")),
                                 fs::u8path(target.Path(written)));
            break;
        }
        const auto sourceBefore = Contents(source);
        const auto targetBefore = Contents(target);

        const CJobOutcome outcome = row.kind == S
            ? SplitFile(source.Path("film.mkv"), 700, nullptr, true, targetDir)
            : MergePieces(source.Path("film_001.mkv"), nullptr, false, targetDir);

        EXPECT_EQ(outcome.end, row.end);
        EXPECT_EQ(outcome.reason, row.reason);
        EXPECT_EQ(Contents(source), sourceBefore) << "the source's folder is only read";
        if (row.end != JobEnd::Done) {
            EXPECT_EQ(Contents(target), targetBefore);
            if (row.reason == JobReason::SameFile) {
                EXPECT_EQ(outcome.strFile, target.Path(written));
            } else if (!row.bDamaged) {
                EXPECT_EQ(outcome.strFile, targetDir) << "the box names the folder as given";
            }
            continue;
        }
        EXPECT_EQ(outcome.strFile, target.Path(written));
        EXPECT_EQ(Contents(target).size(), row.nTargetFiles);
        if (row.kind == M) {
            EXPECT_TRUE(SameBytes(ReadBytes(target.Path("film.mkv")), bytes));
            continue;
        }
        // From that folder into a third: the source back, the pieces only read.
        CTempDir third;
        EXPECT_EQ(MergePieces(target.Path("film_001.mkv"), nullptr, false, third.Folder()),
                  CJobOutcome::Done(M, third.Path("film.mkv")));
        EXPECT_TRUE(SameBytes(ReadBytes(third.Path("film.mkv")), bytes));
        EXPECT_EQ(Contents(target).size(), row.nTargetFiles);
    }
}

// A folder is absolute only when it names one place whatever the current folder and,
// on Windows, the current drive.
TEST(TargetFolder, OnlyAnAbsolutePathNamesAFolder)
{
    const struct {
        const char* pszPath;
        bool bPosix;
        bool bWindows;
    } rows[] = {
        {"/media/stick", true, false},
        {"stick", false, false},
        {"./stick", false, false},
        {"", false, false},
        {"D:\\stick", false, true},
        {"d:/stick", false, true},
        {"D:\\", false, true},
        {"D:", false, false},          // the drive's current folder
        {"D:stick", false, false},
        {"\\stick", false, false},     // the current drive's root
        {"\\\\server\\share", false, true},
        {"1:\\stick", false, false},
    };
    for (const auto& row : rows) {
#ifdef _WIN32
        EXPECT_EQ(IsAbsolutePath(row.pszPath), row.bWindows) << row.pszPath;
#else
        EXPECT_EQ(IsAbsolutePath(row.pszPath), row.bPosix) << row.pszPath;
#endif
    }
}
