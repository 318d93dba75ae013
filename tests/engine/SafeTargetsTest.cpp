// Files a job must never write: another name of what it reads or writes (hard and
// symbolic links), a device, and a source that shrinks while it is read.
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "engine/TargetCheck.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Splits s.bin (2500 bytes, 1000-byte pieces) after link() made a piece name another
// name of the source or of another piece: refused, nothing changed.
TEST(SafeTargets, SplitNeverWritesThroughALink)
{
    struct { const char* target; const char* link; const char* other; } rows[] = {
        {"s_001.bin", "s_002.bin", "s_001.bin"},   // two pieces, one file
        {"s.bin", "s_003.bin", "s.bin"},           // a piece that is the source
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.link);
        CTempDir dir;
        const std::string bytes = MakeBytes(2500);
        WriteBytes(dir.Path("s.bin"), bytes);
        if (!FileExists(dir.Path(row.target)))
            WriteBytes(dir.Path(row.target), "");
        fs::create_hard_link(dir.Path(row.target), dir.Path(row.link));
        const std::size_t nFiles = dir.Count();
        EXPECT_EQ(SplitFile(dir.Path("s.bin"), 1000),
                  CJobOutcome::Refused(JobKind::Split, JobReason::SameFile, dir.Path(row.link), dir.Path(row.other)));
        EXPECT_FALSE(g_bSplitOk);
        EXPECT_EQ(ReadBytes(dir.Path("s.bin")), bytes);
        EXPECT_EQ(dir.Count(), nFiles);
    }
}

// The merged file's name is another name of a piece: refused before anything is
// written; every piece keeps its bytes.
TEST(SafeTargets, MergeNeverWritesThroughALink)
{
    std::vector<bool> symbolic = {false};
#ifndef _WIN32
    symbolic.push_back(true);
#endif
    for (bool bSymbolic : symbolic) {
        SCOPED_TRACE(bSymbolic);
        CTempDir dir;
        const std::string bytes = MakeBytes(2500);
        WriteBytes(dir.Path("s.bin"), bytes);
        ASSERT_TRUE(SplitFile(dir.Path("s.bin"), 1000).IsDone());
        fs::remove(dir.Path("s.bin"));
        const std::string piece = dir.Path(bSymbolic ? "s_003.bin" : "s_002.bin");
        if (bSymbolic)
            fs::create_symlink(piece, dir.Path("s.bin"));
        else
            fs::create_hard_link(piece, dir.Path("s.bin"));
        EXPECT_EQ(MergePieces(dir.Path("s_001.bin")),
                  CJobOutcome::Refused(JobKind::Merge, JobReason::SameFile, dir.Path("s.bin"), piece));
        EXPECT_FALSE(g_bMergeOk);
        EXPECT_EQ(ReadBytes(dir.Path("s_001.bin")) + ReadBytes(dir.Path("s_002.bin")) + ReadBytes(dir.Path("s_003.bin")), bytes);
        EXPECT_EQ(dir.Count(), 5u) << "the pieces, the link and the checksum record";
    }
}

// The system takes these for devices in any folder, with any extension, in any case,
// and with dots or spaces after them.
TEST(SafeTargets, ReservedDeviceNames)
{
    for (const char* name : {"NUL", "nul.bin", "C:\\d\\Con.txt.gz", "/x/aux", "prn.x", "COM1", "lpt9.dat", "com3 .txt",
                             "COM0", "lpt0.bin", "Com9", "CON.", "aux...", "nul . .", "PRN  ",
                             "COM¹", "lpt².dat", "C:\\d\\com³ .x", "CONIN$", "conout$.txt", "D:\\e\\Conin$ ."})
        EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    for (const char* name : {"null.bin", "nul_001.bin", "COM10", "LPT", "COM", "x.con", "C:\\nul\\a.txt", "acon.txt",
                             "COM¹0", "LPT⁴", "COM½", "COMA", "CONIN", "CONOUT", "CONIN$$", "CONERR$", " CON",
                             "COM1_001.bin", "CONIN$_001.txt"})
        EXPECT_FALSE(IsReservedDeviceName(name)) << name;
}

// A device name as the source of a split or as a merge's output: refused as such, by
// name, before anything is opened or written, and before the set or its record (of
// the same base name) are looked at.
TEST(SafeTargets, DevicesAreRefused)
{
    for (const char* base : {"nul", "CONIN$", "conout$", "com0", "LPT¹"}) {
        SCOPED_TRACE(base);
        CTempDir dir;
        const std::string device = dir.Path(std::string(base) + ".bin");
        EXPECT_EQ(SplitFile(device, 1000), CJobOutcome::Refused(JobKind::Split, JobReason::DeviceName, device));
        for (int n = 1; n <= 3; ++n)
            WriteBytes(dir.Path(AfxFormat("%s_%03d.bin", base, n)), MakeBytes(1000));
        EXPECT_EQ(MergePieces(dir.Path(std::string(base) + "_001.bin")),
                  CJobOutcome::Refused(JobKind::Merge, JobReason::DeviceName, device));
        EXPECT_FALSE(g_bMergeOk);
        EXPECT_EQ(dir.Count(), 3u);
    }
}

// "乢" is 81 5F in code page 936, whose trail byte reads '_'; it is no underscore of
// a piece number.
TEST(SafeTargets, TrailByteUnderscoreIsNoPieceNumber)
{
    const std::string name = "x乢001.txt";
    CTempDir dir;
    WriteBytes(dir.Path(name), "abc");
    WriteBytes(dir.Path("x乢002.txt"), "");
    EXPECT_EQ(MergePieces(dir.Path(name)), CJobOutcome::Refused(JobKind::Merge, JobReason::NotFirstPiece, dir.Path(name)));
    EXPECT_EQ(dir.Count(), 2u);
}

#ifndef _WIN32
// Locks are advisory here: someone cuts the source while it is split. The short read
// is an error, never a success.
class CShrinkSource final : public IJobProgress {
public:
    explicit CShrinkSource(std::string path) : m_path(std::move(path)) {}
    void OnFile(const std::string&, std::uint64_t) override {}
    bool OnStep(std::uint64_t) override
    {
        fs::resize_file(m_path, 1500);
        return false;
    }

private:
    std::string m_path;
};

TEST(SafeTargets, SourceThatShrinksIsAReadError)
{
    CTempDir dir;
    WriteBytes(dir.Path("s.bin"), MakeBytes(2500));
    CShrinkSource shrink(dir.Path("s.bin"));
    EXPECT_EQ(SplitFile(dir.Path("s.bin"), 1000, &shrink), CJobOutcome::Failed(JobKind::Split, JobReason::ReadSource, dir.Path("s.bin")));
    EXPECT_FALSE(g_bSplitOk);
}
#endif

} // namespace
