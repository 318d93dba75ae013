// The checksum record a split writes and a merge checks, on real files.
#include "engine/ChecksumRecord.h"
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/File.h"
#include "framework/portable/Sha256.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The digits of every line in upper case; the names as they were.
std::string UpperHex(std::string record)
{
    for (std::size_t at = 0; at < record.size(); at = record.find('\n', at) + 1) {
        for (std::size_t i = at; i < at + 64 && i < record.size(); ++i)
            record[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(record[i])));
        if (record.find('\n', at) == std::string::npos)
            break;
    }
    return record;
}

TEST(Checksums, SystemHashKnownVectors)
{
    CSha256 sha;
    sha.Update("abc", 3);
    EXPECT_EQ(sha.Finish(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha.Finish(), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855") << "starts over";
}

// 2.5 pieces, of 1000 bytes and of 3,000,000 (many copy blocks each): the record lists
// three pieces and the source, each with the digest of its bytes, names without their
// folder, CRLF.
TEST(Checksums, SplitWritesTheRecordBesideThePieces)
{
    for (const std::size_t nPiece : {std::size_t{1000}, std::size_t{3000000}}) {
        SCOPED_TRACE(nPiece);
        CTempDir dir;
        const std::string bytes = MakeBytes(nPiece * 5 / 2);
        WriteBytes(dir.Path("r.bin"), bytes);
        ASSERT_TRUE(SplitFile(dir.Path("r.bin"), nPiece).IsDone());
        auto digest = [](const std::string& b) { CSha256 sha; sha.Update(b.data(), b.size()); return sha.Finish(); };
        EXPECT_EQ(ReadBytes(dir.Path("r.bin.sha256")),
                  digest(bytes.substr(0, nPiece)) + "  r_001.bin\r\n" + digest(bytes.substr(nPiece, nPiece)) +
                  "  r_002.bin\r\n" + digest(bytes.substr(2 * nPiece)) + "  r_003.bin\r\n" + digest(bytes) + "  r.bin\r\n");
#ifndef _WIN32
        const std::string command = "cd '" + dir.Path("") + "' && sha256sum --quiet -c r.bin.sha256";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
#endif
        EXPECT_EQ(dir.Count(), 5u) << "no temporary file left";
    }
}

// A cancelled split writes no record, and leaves the one of an earlier split, whose
// pieces it never touched.
TEST(Checksums, NoRecordForAnUnfinishedSplit)
{
    struct CCancelAtOnce final : IJobProgress {
        void OnFile(const std::string&, std::uint64_t) override {}
        bool OnStep(std::uint64_t) override { return true; }
    } cancel;
    CTempDir dir;
    WriteBytes(dir.Path("r.bin"), MakeBytes(2500));
    WriteBytes(dir.Path("r.bin.sha256"), "stale");
    EXPECT_EQ(SplitFile(dir.Path("r.bin"), 1000, &cancel), CJobOutcome::Cancelled(JobKind::Split));
    EXPECT_EQ(ReadBytes(dir.Path("r.bin.sha256")), "stale");
    EXPECT_EQ(dir.Count(), 2u);
}

// Every way a set can differ from its record is caught and named; nothing is written
// and no piece is touched. Each row damages a fresh, good set of 2500 bytes (pieces
// r_001 to r_003) or, for the exact multiple, of 3000 (r_001 to r_004, the last empty).
TEST(Checksums, MergeCatchesWhatDiffersFromTheRecord)
{
    struct CRow {
        const char* what;
        std::size_t length;
        std::function<void(const CTempDir&)> damage;
        JobEnd end;
        JobReason reason;
        const char* named;
    };
    const JobEnd REFUSED = JobEnd::Refused;
    const JobEnd FAILED = JobEnd::Failed;
    auto rewriteRecord = [](const CTempDir& dir, const std::function<void(std::string&)>& edit) {
        std::string text = ReadBytes(dir.Path("r.bin.sha256"));
        edit(text);
        WriteBytes(dir.Path("r.bin.sha256"), text);
    };
    const CRow rows[] = {
        {"flipped byte in a middle piece", 2500,
         [](const CTempDir& d) { std::string b = ReadBytes(d.Path("r_002.bin")); b[500] ^= 1; WriteBytes(d.Path("r_002.bin"), b); },
         FAILED, JobReason::PieceDamaged, "r_002.bin"},
        {"truncated last piece", 2500,
         [](const CTempDir& d) { fs::resize_file(d.Path("r_003.bin"), 499); },
         FAILED, JobReason::PieceDamaged, "r_003.bin"},
        {"missing empty last piece", 3000, [](const CTempDir& d) { fs::remove(d.Path("r_004.bin")); },
         REFUSED, JobReason::PieceMissingListed, "r_004.bin"},
        {"stale piece of another split", 2500,
         [](const CTempDir& d) { WriteBytes(d.Path("r_002.bin"), MakeBytes(1000, 99)); },
         FAILED, JobReason::PieceDamaged, "r_002.bin"},
        {"bad line", 2500, [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t += "junk\r\n"; }); },
         REFUSED, JobReason::RecordBad, "r.bin.sha256"},
        {"short hash", 2500, [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t.erase(0, 1); }); },
         REFUSED, JobReason::RecordBad, "r.bin.sha256"},
        {"name of another set", 2500,
         [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t.replace(t.find("r_002"), 5, "q_002"); }); },
         REFUSED, JobReason::RecordBad, "r.bin.sha256"},
        {"whole file's line of another file", 2500,
         [&](const CTempDir& d) {
             rewriteRecord(d, [](std::string& t) { char& c = t[t.rfind("\r\n", t.size() - 3) + 2]; c = c == '0' ? '1' : '0'; });
         },
         FAILED, JobReason::WholeMismatch, nullptr},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.what);
        CTempDir dir;
        WriteBytes(dir.Path("r.bin"), MakeBytes(row.length));
        ASSERT_TRUE(SplitFile(dir.Path("r.bin"), 1000).IsDone());
        fs::remove(dir.Path("r.bin"));
        row.damage(dir);
        std::vector<std::string> before;
        for (int n = 1; n <= 4; ++n)
            before.push_back(FileExists(dir.Path(AfxFormat("r_%03d.bin", n))) ? ReadBytes(dir.Path(AfxFormat("r_%03d.bin", n))) : "-");
        const std::size_t nFiles = dir.Count();

        const CJobOutcome outcome = MergePieces(dir.Path("r_001.bin"));
        const std::string named = row.named != nullptr ? dir.Path(row.named) : "";
        EXPECT_EQ(outcome, (CJobOutcome{JobKind::Merge, row.end, row.reason, named, {}, 0}));
        EXPECT_FALSE(g_bMergeOk);
        EXPECT_FALSE(FileExists(dir.Path("r.bin")));
        EXPECT_EQ(dir.Count(), nFiles);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(FileExists(dir.Path(AfxFormat("r_%03d.bin", n))) ? ReadBytes(dir.Path(AfxFormat("r_%03d.bin", n))) : "-",
                      before[static_cast<std::size_t>(n - 1)]);
    }
}

#ifndef _WIN32
// A record that is a pipe is refused at once by its name and never opened, which
// would wait for a writer. Here a writer stands by to answer any reader, so a merge
// that opens it shows instead of hanging.
TEST(Checksums, RecordThatIsAPipeIsRefusedUnopened)
{
    CTempDir dir;
    WriteBytes(dir.Path("r.bin"), MakeBytes(2500));
    ASSERT_TRUE(SplitFile(dir.Path("r.bin"), 1000).IsDone());
    const std::string record = ReadBytes(dir.Path("r.bin.sha256"));
    const std::string pipe = dir.Path("r.bin.sha256");
    fs::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::remove(dir.Path("r.bin"));
    std::atomic<bool> bMergeEnded{false};
    bool bOpenedByReader = false;
    std::thread writer([&] {
        while (!bMergeEnded) {
            // Opens only while someone has the pipe open to read.
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                bOpenedByReader = true;
                if (::write(fd, record.data(), record.size()) < 0)
                    ADD_FAILURE() << "the record could not be offered";
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const CJobOutcome outcome = MergePieces(dir.Path("r_001.bin"));
    bMergeEnded = true;
    writer.join();
    EXPECT_EQ(outcome, CJobOutcome::Refused(JobKind::Merge, JobReason::RecordBad, pipe));
    EXPECT_FALSE(bOpenedByReader);
    EXPECT_EQ(dir.Count(), 4u);
}
#endif

// Pieces of an earlier version come without a record and merge as before; a record
// that a tool wrote in binary mode ('*'), with LF line ends or in upper-case hex (as
// sha256sum -c accepts) is read too. Higher numbers than the record lists are no
// part of its set: they are neither merged nor a reason to stop.
TEST(Checksums, MergeWithAndWithoutARecord)
{
    for (const char* variant : {"none", "binary", "lf", "upper", "upper, 3 MB pieces", "higher pieces unlisted"}) {
        SCOPED_TRACE(variant);
        CTempDir dir;
        const std::uint64_t nPiece = std::strstr(variant, "3 MB") != nullptr ? 3000000 : 1000;
        const std::string bytes = MakeBytes(static_cast<std::size_t>(nPiece) * 5 / 2);
        WriteBytes(dir.Path("r.bin"), bytes);
        ASSERT_TRUE(SplitFile(dir.Path("r.bin"), nPiece).IsDone());
        std::string record = ReadBytes(dir.Path("r.bin.sha256"));
        const std::string strVariant = variant;
        if (strVariant == "none") {
            fs::remove(dir.Path("r.bin.sha256"));
        } else if (strVariant.rfind("upper", 0) == 0) {
            WriteBytes(dir.Path("r.bin.sha256"), UpperHex(record));
        } else if (strVariant == "higher pieces unlisted") {
            for (const char* name : {"r_004.bin", "r_999.bin"})
                WriteBytes(dir.Path(name), name);
        } else {
            WriteBytes(dir.Path("r.bin.sha256"), strVariant == "binary" ? ReplaceAll(record, "  ", " *") : ReplaceAll(record, "\r", ""));
        }
        fs::remove(dir.Path("r.bin"));
        EXPECT_EQ(MergePieces(dir.Path("r_001.bin")), CJobOutcome::Done(JobKind::Merge, dir.Path("r.bin")));
        EXPECT_TRUE(SameBytes(ReadBytes(dir.Path("r.bin")), bytes));
    }
}

// A record that is there but cannot be read (another program holds it) is no reason
// to merge unchecked: the merge stops and names it.
TEST(Checksums, RecordHeldByAnotherProgramIsNotSkipped)
{
    CTempDir dir;
    WriteBytes(dir.Path("r.bin"), MakeBytes(2500));
    ASSERT_TRUE(SplitFile(dir.Path("r.bin"), 1000).IsDone());
    fs::remove(dir.Path("r.bin"));
    CFile holder;
    ASSERT_TRUE(holder.Open(dir.Path("r.bin.sha256"), CFile::modeRead));
    const CJobOutcome outcome = MergePieces(dir.Path("r_001.bin"));
    EXPECT_FALSE(outcome.IsDone());
    EXPECT_EQ(outcome.strFile, dir.Path("r.bin.sha256"));
    EXPECT_FALSE(FileExists(dir.Path("r.bin")));
}

} // namespace
