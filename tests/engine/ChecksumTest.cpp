// The checksum record a split writes and a merge checks, on real files.
#include "engine/ChecksumRecord.h"
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/portable/Sha256.h"
#include "framework/portable/String.h"

#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

const char kCheckCaption[] = "Kavrel合并前的检查...";
const char kMergeCaption[] = "Kavrel合并中....";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(Checksums, SystemHashKnownVectors)
{
    CSha256 sha;
    sha.Update("abc", 3);
    EXPECT_EQ(sha.Finish(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha.Finish(), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855") << "starts over";
}

// 2500 bytes in 1000-byte pieces: the record lists three pieces and the source, each
// with the digest of its bytes, names without their folder, CRLF.
TEST(Checksums, SplitWritesTheRecordBesideThePieces)
{
    CTempDir dir;
    const std::string bytes = MakeBytes(2500);
    WriteBytes(dir.Path("r.bin"), bytes);
    CBoxRecorder owner;
    ASSERT_EQ(SplitFile(&owner, dir.Path("r.bin"), 1), JobResult::Done);
    auto digest = [](const std::string& b) { CSha256 sha; sha.Update(b.data(), b.size()); return sha.Finish(); };
    EXPECT_EQ(ReadBytes(dir.Path("r.bin.sha256")),
              digest(bytes.substr(0, 1000)) + "  r_001.bin\r\n" + digest(bytes.substr(1000, 1000)) + "  r_002.bin\r\n" +
              digest(bytes.substr(2000)) + "  r_003.bin\r\n" + digest(bytes) + "  r.bin\r\n");
#ifndef _WIN32
    const std::string command = "cd '" + dir.Path("") + "' && sha256sum --quiet -c r.bin.sha256";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
#endif
    EXPECT_EQ(dir.Count(), 5u) << "no temporary file left";
}

// A cancelled split writes no record, and removes the one of an earlier split that
// would claim the unfinished set.
TEST(Checksums, NoRecordForAnUnfinishedSplit)
{
    struct CCancelAtOnce final : IJobProgress {
        void OnFile(const std::string&, std::uint64_t) override {}
        bool OnStep(std::uint64_t) override { return true; }
    } cancel;
    CTempDir dir;
    WriteBytes(dir.Path("r.bin"), MakeBytes(2500));
    WriteBytes(dir.Path("r.bin.sha256"), "stale");
    CBoxRecorder owner;
    EXPECT_EQ(SplitFile(&owner, dir.Path("r.bin"), 1, &cancel), JobResult::Cancelled);
    EXPECT_EQ(dir.Count(), 1u);
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
        std::string text;       // %s: the folder
        const char* caption;
    };
    const std::string malformed = "校验文件%sr.bin.sha256有误,无法核对\n删掉它就可以不经核对直接合并";
    auto rewriteRecord = [](const CTempDir& dir, const std::function<void(std::string&)>& edit) {
        std::string text = ReadBytes(dir.Path("r.bin.sha256"));
        edit(text);
        WriteBytes(dir.Path("r.bin.sha256"), text);
    };
    const CRow rows[] = {
        {"flipped byte in a middle piece", 2500,
         [](const CTempDir& d) { std::string b = ReadBytes(d.Path("r_002.bin")); b[500] ^= 1; WriteBytes(d.Path("r_002.bin"), b); },
         "文件%sr_002.bin已经损坏,和校验文件不符\n请重新复制这个文件!", kMergeCaption},
        {"truncated last piece", 2500,
         [](const CTempDir& d) { fs::resize_file(d.Path("r_003.bin"), 499); },
         "文件%sr_003.bin已经损坏,和校验文件不符\n请重新复制这个文件!", kMergeCaption},
        {"missing empty last piece", 3000, [](const CTempDir& d) { fs::remove(d.Path("r_004.bin")); },
         "缺少文件%sr_004.bin\n分割好的文件不完整,请检查!", kCheckCaption},
        {"extra piece", 2500, [](const CTempDir& d) { WriteBytes(d.Path("r_004.bin"), "x"); },
         "文件%sr_004.bin\n不在校验文件里,不是这一组分割好的文件,请检查!", kCheckCaption},
        {"stale piece of another split", 2500,
         [](const CTempDir& d) { WriteBytes(d.Path("r_002.bin"), MakeBytes(1000, 99)); },
         "文件%sr_002.bin已经损坏,和校验文件不符\n请重新复制这个文件!", kMergeCaption},
        {"bad line", 2500, [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t += "junk\r\n"; }); },
         malformed, kCheckCaption},
        {"short hash", 2500, [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t.erase(0, 1); }); },
         malformed, kCheckCaption},
        {"name of another set", 2500,
         [&](const CTempDir& d) { rewriteRecord(d, [](std::string& t) { t.replace(t.find("r_002"), 5, "q_002"); }); },
         malformed, kCheckCaption},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.what);
        CTempDir dir;
        WriteBytes(dir.Path("r.bin"), MakeBytes(row.length));
        CBoxRecorder owner;
        ASSERT_EQ(SplitFile(&owner, dir.Path("r.bin"), 1), JobResult::Done);
        fs::remove(dir.Path("r.bin"));
        row.damage(dir);
        std::vector<std::string> before;
        for (int n = 1; n <= 4; ++n)
            before.push_back(FileExists(dir.Path(AfxFormat("r_%03d.bin", n))) ? ReadBytes(dir.Path(AfxFormat("r_%03d.bin", n))) : "-");
        const std::size_t nFiles = dir.Count();

        EXPECT_EQ(MergePieces(&owner, dir.Path("r_001.bin")), JobResult::Failed);
        EXPECT_EQ(owner.boxes, (std::vector<CBox>{{AfxFormat(row.text.c_str(), dir.Path("").c_str()), row.caption, 48}}));
        EXPECT_FALSE(FileExists(dir.Path("r.bin")));
        EXPECT_EQ(dir.Count(), nFiles);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(FileExists(dir.Path(AfxFormat("r_%03d.bin", n))) ? ReadBytes(dir.Path(AfxFormat("r_%03d.bin", n))) : "-",
                      before[static_cast<std::size_t>(n - 1)]);
    }
}

// Pieces of an earlier version come without a record and merge as before; a record
// that a tool wrote in binary mode ('*') or with LF line ends is read too.
TEST(Checksums, MergeWithAndWithoutARecord)
{
    for (const char* variant : {"none", "binary", "lf"}) {
        SCOPED_TRACE(variant);
        CTempDir dir;
        const std::string bytes = MakeBytes(2500);
        WriteBytes(dir.Path("r.bin"), bytes);
        CBoxRecorder owner;
        ASSERT_EQ(SplitFile(&owner, dir.Path("r.bin"), 1), JobResult::Done);
        std::string record = ReadBytes(dir.Path("r.bin.sha256"));
        const std::string strVariant = variant;
        if (strVariant == "none")
            fs::remove(dir.Path("r.bin.sha256"));
        else
            WriteBytes(dir.Path("r.bin.sha256"), strVariant == "binary" ? ReplaceAll(record, "  ", " *") : ReplaceAll(record, "\r", ""));
        fs::remove(dir.Path("r.bin"));
        EXPECT_EQ(MergePieces(&owner, dir.Path("r_001.bin")), JobResult::Done);
        EXPECT_TRUE(owner.boxes.empty());
        EXPECT_EQ(ReadBytes(dir.Path("r.bin")), bytes);
    }
}

} // namespace
