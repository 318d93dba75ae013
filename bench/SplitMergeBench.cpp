// Splits 2 GiB into 32,000,000-byte pieces, merges it back and checks a set with the
// engine, each job in a child process of its own, and compares it round by round with
// the same result made by hand: as shipped (checksum record written and checked)
// against `split -b` then `sha256sum` of the pieces and the file, `sha256sum -c` then
// `cat`, and `sha256sum -c` of the same record over the same pieces; as the copy
// alone against `split -b`, `cp` of the same bytes and `cat`; with itself reporting
// progress, and with itself under Wine. One more split cuts 1,000,000,000-byte
// pieces, against the same by hand at that size. The page cache is warm and every
// job starts after a sync, so each meets a machine with nothing left to write. Every
// output is checked; the exit status is 1 when one differs or our peak memory passes
// the limit. Two rows write into another folder, as the copy alone: a split from
// FOLDER into it against `split -b` with its output prefix there, and a merge from
// there back into FOLDER against `cat` into FOLDER. --into puts that folder elsewhere
// (a slow stick's mount, say), and --into-only runs those two rows alone.
// Usage: split_merge_bench [FOLDER [ROUNDS]] [--wine EXE | --no-wine] [--into DIR] [--into-only]
#include "bench/BenchJob.h"
#include "bench/ChildProcess.h"
#include "bench/PairStats.h"
#include "framework/portable/File.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <signal.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Jobs of a few seconds: sub-second ones on a shared machine spread too widely.
constexpr std::uint64_t kSourceSize = std::uint64_t{2} << 30;
// Pieces of a size chosen beside 其他: the copy must keep its pace and its memory.
constexpr std::uint64_t kLargePieceSize = 1000000000;
constexpr long kPeakLimitKiB = 8 * 1024;

struct CGoal {
    const char* pszWhat;
    double value;
    double limit;
};

[[noreturn]] void Fail(const std::string& strWhy)
{
    throw std::runtime_error(strWhy);
}

void WriteSource(const std::string& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        Fail("cannot create " + path);
    std::vector<std::uint64_t> block(1 << 17);
    std::uint64_t x = 88172645463325252ull;
    for (std::uint64_t done = 0; done < kSourceSize; done += block.size() * 8) {
        for (std::uint64_t& v : block) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            v = x;
        }
        file.Write(block.data(), block.size() * 8);
    }
}

bool SameBytes(const std::string& a, const std::string& b)
{
    CFile fa, fb;
    if (!fa.Open(a, CFile::modeRead) || !fb.Open(b, CFile::modeRead) || fa.GetLength() != fb.GetLength())
        return false;
    // Static, so that the children we fork do not inherit a large heap into their peak.
    static char bufferA[1 << 16], bufferB[1 << 16];
    for (;;) {
        const std::size_t n = fa.Read(bufferA, sizeof bufferA);
        if (n == 0)
            return true;
        if (fb.Read(bufferB, n) != n || std::memcmp(bufferA, bufferB, n) != 0)
            return false;
    }
}

// The pieces split -b names with two letters; the record made by hand is not one.
std::vector<std::string> ListPieces(const std::string& dir, const std::string& prefix)
{
    std::vector<std::string> pieces;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0 && name.compare(name.size() - 7, 7, ".sha256") != 0)
            pieces.push_back(entry.path().string());
    }
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

void RemovePieces(const std::string& dir, const std::string& prefix)
{
    for (const std::string& piece : ListPieces(dir, prefix))
        fs::remove(piece);
}

CJobFigures ParseOrFail(const std::string& answer, const std::string& what)
{
    CJobFigures figures;
    if (!ParseJobFigures(answer, figures))
        Fail(what + " failed: " + answer);
    return figures;
}

std::string WinePath(const std::string& path)
{
    std::string result = "Z:" + path;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

class CBench {
public:
    CBench(const std::string& work, std::string jobExe, std::string wineExe, std::string into, bool bIntoOnly)
        : m_work(work), m_source(work + "/source.bin"), m_jobExe(std::move(jobExe)), m_wineExe(std::move(wineExe)),
          m_into(std::move(into)), m_bIntoOnly(bIntoOnly)
    {
    }

    void Prepare()
    {
        for (const char* dir : {"ref", "ours", "peer", "cp", "wine", "verify", "large-ref", "large-ours", "large-peer",
                 "into-source", "merged-ours", "merged-peer"})
            fs::create_directories(m_work + "/" + dir);
        for (const char* dir : {"ours", "peer"})
            fs::create_directories(m_into + "/" + dir);
        WriteSource(m_source);
        // split(1)'s own pieces, once: every split of ours must give the same bytes.
        RunChild({"split", "-b", std::to_string(kBenchPieceSize), m_source, m_work + "/ref/data.bin."});
        m_ref = ListPieces(m_work + "/ref", "data.bin.");
        RunChild({"split", "-b", std::to_string(kLargePieceSize), m_source,
            m_work + "/large-ref/data.bin."});
        m_largeRef = ListPieces(m_work + "/large-ref", "data.bin.");
        // A set on the stick: pieces and record, no source.
        Split(m_work + "/verify", Side::Child, false, true);
        fs::remove(m_work + "/verify/data.bin");
        if (m_wineExe.empty())
            return;
        // Both sides keep one process for all their jobs: Wine starts its services
        // with its first process, and they would run beside the first job.
        m_native = std::make_unique<CServedChild>(std::vector<std::string>{m_jobExe, "--serve"});
        // The answers come through the job's output while it runs.
        ::setenv("TOSVIK_WINE_STREAM", "1", 1);
        m_wine = std::make_unique<CServedChild>(std::vector<std::string>{kWineRun, m_wineExe, "--serve"});
        const std::string wine = m_work + "/wine";
        Split(wine, Side::Wine, false, true);
        Split(wine, Side::Native, false, true);
    }

    void Round(int nRound)
    {
        const bool bOursFirst = nRound % 2 == 0;
        const auto pair = [bOursFirst](const std::function<CJobFigures()>& ours,
                              const std::function<CJobFigures()>& peer) {
            std::pair<CJobFigures, CJobFigures> runs;
            if (bOursFirst) {
                runs.first = ours();
                runs.second = peer();
            } else {
                runs.second = peer();
                runs.first = ours();
            }
            return runs;
        };
        const std::string ours = m_work + "/ours", peer = m_work + "/peer", wine = m_work + "/wine";
        // Into another folder, and from there back, the copy alone: the same bytes as
        // split -b and cat write.
        Add(m_splitIntoVsSplit, pair([&] { return Split(m_work + "/into-source", Side::Child, false, false,
                                                    kBenchPieceSize, m_into + "/ours"); },
            [&] {
                RemovePieces(m_into + "/peer", "data.bin.");
                return Timed({"split", "-b", std::to_string(kBenchPieceSize), m_source,
                    m_into + "/peer/data.bin."});
            }));
        Add(m_mergeIntoVsCat, pair([&] { return Merge(m_into + "/ours", Side::Child, false, false,
                                                  m_work + "/merged-ours"); },
            [&] {
                const std::string merged = m_work + "/merged-peer/merged.bin";
                fs::remove(merged);
                std::vector<std::string> args = {"cat"};
                for (const std::string& piece : ListPieces(m_into + "/peer", "data.bin."))
                    args.push_back(piece);
                const CJobFigures figures = Timed(args, merged);
                if (!SameBytes(m_source, merged))
                    Fail("cat's output differs from the source");
                return figures;
            }));
        if (m_bIntoOnly)
            return;
        const auto splitB = [&] {
            RemovePieces(peer, "data.bin.");
            return Timed({"split", "-b", std::to_string(kBenchPieceSize), m_source, peer + "/data.bin."});
        };
        // By hand: the pieces and the file hashed after the cut, into a record that
        // names the file as the merge by hand writes it; the pieces checked against
        // it before they are joined.
        const auto splitByHand = [&](const std::string& dir, std::uint64_t nPieceSize) {
            RemovePieces(dir, "data.bin.");
            return Timed({"sh", "-c",
                "cd \"$1\" && split -b \"$2\" \"$3\" data.bin. && sha256sum data.bin.?? >record.sha256 && "
                "sha256sum <\"$3\" | sed 's/ .*/  merged.bin/' >>record.sha256",
                "sh", dir, std::to_string(nPieceSize), m_source});
        };
        const auto mergeByHand = [&] {
            fs::remove(peer + "/merged.bin");
            if (!fs::exists(peer + "/record.sha256"))
                Fail(peer + ": no record made by hand");
            const CJobFigures figures = Timed({"sh", "-c",
                "cd \"$1\" && sha256sum -c --quiet --ignore-missing record.sha256 && cat data.bin.?? >merged.bin",
                "sh", peer});
            if (!SameBytes(m_source, peer + "/merged.bin"))
                Fail("the merge by hand differs from the source");
            return figures;
        };
        const auto checkByHand = [&] {
            return Timed({"sh", "-c", "cd \"$1\" && sha256sum -c --quiet --ignore-missing data.bin.sha256", "sh",
                m_work + "/verify"});
        };
        const auto cat = [&] {
            fs::remove(peer + "/merged.bin");
            std::vector<std::string> args = {"cat"};
            for (const std::string& piece : ListPieces(peer, "data.bin."))
                args.push_back(piece);
            const CJobFigures figures = Timed(args, peer + "/merged.bin");
            if (!SameBytes(m_source, peer + "/merged.bin"))
                Fail("cat's output differs from the source");
            return figures;
        };
        // As shipped: a split writes its checksum record, and a merge checks it.
        const auto oursSplit = [&] { return Split(ours, Side::Child, false, true); };
        const auto oursMerge = [&] { return Merge(ours, Side::Child, false, true); };
        const auto copySplit = [&] { return Split(ours, Side::Child, false, false); };
        const auto copyMerge = [&] { return Merge(ours, Side::Child, false, false); };

        Add(m_copySplitVsSplit, pair(copySplit, splitB));
        Add(m_splitVsCp, pair(copySplit, [&] {
            fs::remove(m_work + "/cp/data.bin");
            return Timed({"cp", m_source, m_work + "/cp/data.bin"});
        }));
        // Last of our splits before the merge as shipped, which checks its record.
        Add(m_splitVsSplit, pair(oursSplit, [&] { return splitByHand(peer, kBenchPieceSize); }));
        Add(m_largeSplitVsSplit, pair([&] { return Split(m_work + "/large-ours", Side::Child, false, true,
                                                     kLargePieceSize); },
            [&] { return splitByHand(m_work + "/large-peer", kLargePieceSize); }));
        Add(m_mergeVsCat, pair(oursMerge, mergeByHand));
        Add(m_copyMergeVsCat, pair(copyMerge, cat));
        Add(m_verifyVsSha, pair([&] { return Job("verify", m_work + "/verify/data_001.bin", Side::Child, false, true); },
            checkByHand));
        // On the copy alone, where the progress reports weigh most.
        Add(m_splitProgress, pair([&] { return Split(ours, Side::Child, true, false); }, copySplit));
        Add(m_mergeProgress, pair([&] { return Merge(ours, Side::Child, true, false); }, copyMerge));

        if (m_wineExe.empty())
            return;
        for (bool bChecksums : {true, false}) {
            Add(bChecksums ? m_splitWine : m_copySplitWine,
                pair([&] { return Split(wine, Side::Wine, false, bChecksums); },
                    [&] { return Split(wine, Side::Native, false, bChecksums); }));
            // The split just before left a record, or none.
            Add(bChecksums ? m_mergeWine : m_copyMergeWine,
                pair([&] { return Merge(wine, Side::Wine, false, bChecksums); },
                    [&] { return Merge(wine, Side::Native, false, bChecksums); }));
        }
    }

    // Prints the figures and the goals; false when our peak memory passed the limit.
    bool Report() const
    {
        std::printf("\n%-34s %-18s %-18s %9s %9s\n", "median of per-round ratios", "wall (min-max)", "cpu (min-max)",
            "ours", "peer");
        for (const CPairStats* stats : {&m_splitVsSplit, &m_splitVsCp, &m_copySplitVsSplit, &m_splitIntoVsSplit,
                 &m_largeSplitVsSplit, &m_mergeVsCat, &m_copyMergeVsCat, &m_mergeIntoVsCat, &m_verifyVsSha, &m_splitProgress, &m_mergeProgress, &m_splitWine, &m_mergeWine, &m_copySplitWine,
                 &m_copyMergeWine}) {
            if (!stats->Empty())
                stats->Print();
        }
        std::printf("\npeak memory (wait4 ru_maxrss): our split %.1f MiB, our merge %.1f MiB, our check %.1f MiB, "
                    "split -b %.1f MiB, cp %.1f MiB, cat %.1f MiB, by hand (largest step) %.1f MiB\n",
            m_nPeak[kOursSplit] / 1024.0, m_nPeak[kOursMerge] / 1024.0, m_nPeak[kOursVerify] / 1024.0,
            m_nPeak[kSplitB] / 1024.0, m_nPeak[kCp] / 1024.0, m_nPeak[kCat] / 1024.0, m_nPeak[kByHand] / 1024.0);
        if (!m_wineExe.empty())
            std::printf("peak working set of the process under Wine, Wine's own part included: %.1f MiB\n",
                m_nPeak[kWine] / 1024.0);
        std::printf("every split gave split -b's pieces; every merge gave the source's bytes; every check passed\n");

        std::vector<CGoal> goals = {
            {"into a folder: split / split -b", m_splitIntoVsSplit.MedianWallRatio(), 1.00},
            {"into a folder: merge / cat", m_mergeIntoVsCat.MedianWallRatio(), 1.00},
        };
        const std::vector<CGoal> others = {
            {"split / by hand", m_splitVsSplit.MedianWallRatio(), 1.00},
            {"merge / by hand", m_mergeVsCat.MedianWallRatio(), 1.00},
            {"check / sha256sum -c", m_verifyVsSha.MedianWallRatio(), 1.00},
            {"1e9 pieces: split / by hand", m_largeSplitVsSplit.MedianWallRatio(), 1.00},
            {"copy alone: split / split -b", m_copySplitVsSplit.MedianWallRatio(), 1.00},
            {"copy alone: split / cp", m_splitVsCp.MedianWallRatio(), 1.20},
            {"copy alone: merge / cat", m_copyMergeVsCat.MedianWallRatio(), 1.00},
            {"split peak MiB", m_nPeak[kOursSplit] / 1024.0, kPeakLimitKiB / 1024.0},
            {"merge peak MiB", m_nPeak[kOursMerge] / 1024.0, kPeakLimitKiB / 1024.0},
            {"check peak MiB", m_nPeak[kOursVerify] / 1024.0, kPeakLimitKiB / 1024.0},
            {"split progress on / off", m_splitProgress.MedianWallRatio(), 1.02},
            {"merge progress on / off", m_mergeProgress.MedianWallRatio(), 1.02},
        };
        if (!m_bIntoOnly)
            goals.insert(goals.end(), others.begin(), others.end());
        if (!m_wineExe.empty() && !m_bIntoOnly) {
            goals.push_back({"split Wine / native", m_splitWine.MedianWallRatio(), 1.20});
            goals.push_back({"merge Wine / native", m_mergeWine.MedianWallRatio(), 1.20});
            goals.push_back({"copy alone: split Wine / nat.", m_copySplitWine.MedianWallRatio(), 1.20});
            goals.push_back({"copy alone: merge Wine / nat.", m_copyMergeWine.MedianWallRatio(), 1.20});
        }
        std::printf("\ngoals (ratios of wall time):\n");
        for (const CGoal& goal : goals)
            std::printf("  %-30s %6.2f  <= %.2f  %s\n", goal.pszWhat, goal.value, goal.limit,
                goal.value <= goal.limit ? "met" : "NOT MET");
        return m_nPeak[kOursSplit] <= kPeakLimitKiB && m_nPeak[kOursMerge] <= kPeakLimitKiB &&
            m_nPeak[kOursVerify] <= kPeakLimitKiB;
    }

private:
    static constexpr const char* kWineRun = TOSVIK_SOURCE_DIR "/scripts/wine-run.sh";
    // Child: a process of its own per job, measured from outside; Native and Wine:
    // the kept processes, the job measured inside.
    enum class Side { Child, Native, Wine };
    enum { kOursSplit, kOursMerge, kOursVerify, kSplitB, kCp, kCat, kByHand, kWine, kPeaks };

    // A job after a sync, so that no job pays for the writes of the one before.
    CJobFigures Timed(const std::vector<std::string>& args, const std::string& outPath = std::string())
    {
        ::sync();
        const CChildRun run = RunChild(args, outPath);
        const std::string name = args[0];
        long& peak = m_nPeak[name == "split" ? kSplitB : name == "cp" ? kCp : name == "cat" ? kCat : kByHand];
        peak = std::max(peak, run.maxRssKiB);
        return {true, run.wallSeconds, run.cpuSeconds, run.maxRssKiB};
    }

    CJobFigures Job(const std::string& job, const std::string& path, Side side, bool bProgress, bool bChecksums,
        std::uint64_t nPieceSize = kBenchPieceSize, const std::string& into = std::string())
    {
        const std::string pieceSize = "--piece-size=" + std::to_string(nPieceSize);
        const std::string suffix = std::string(bProgress ? " --progress" : "") + (bChecksums ? "" : " --no-checksums") +
            (nPieceSize != kBenchPieceSize ? " " + pieceSize : "");
        if (side == Side::Child) {
            std::vector<std::string> args = {m_jobExe, job, path};
            if (bProgress)
                args.push_back("--progress");
            if (!bChecksums)
                args.push_back("--no-checksums");
            if (nPieceSize != kBenchPieceSize)
                args.push_back(pieceSize);
            if (!into.empty())
                args.push_back("--into=" + into);
            ::sync();
            const CChildRun run = RunChild(args);
            ParseOrFail(run.output, job + " " + path);
            long& peak = m_nPeak[job == "split" ? kOursSplit : job == "merge" ? kOursMerge : kOursVerify];
            peak = std::max(peak, run.maxRssKiB);
            return {true, run.wallSeconds, run.cpuSeconds, run.maxRssKiB};
        }
        ::sync();
        if (side == Side::Native)
            return ParseOrFail(m_native->Ask(job + " " + path + suffix), job + " " + path);
        const CJobFigures figures = ParseOrFail(m_wine->Ask(job + " " + WinePath(path) + suffix), "Wine: " + job);
        m_nPeak[kWine] = std::max(m_nPeak[kWine], figures.peakKiB);
        return figures;
    }

    // Splits source/data.bin, a link to the source, into fresh pieces (beside it, or
    // in into), and checks them against split(1)'s of the same size.
    CJobFigures Split(const std::string& source, Side side, bool bProgress, bool bChecksums,
        std::uint64_t nPieceSize = kBenchPieceSize, const std::string& into = std::string())
    {
        const std::string dir = into.empty() ? source : into;
        RemovePieces(dir, "data_");
        if (!fs::exists(source + "/data.bin"))
            fs::create_hard_link(m_source, source + "/data.bin");
        const CJobFigures figures =
            Job("split", source + "/data.bin", side, bProgress, bChecksums, nPieceSize, into);
        const std::vector<std::string>& ref = nPieceSize == kBenchPieceSize ? m_ref : m_largeRef;
        if (fs::exists(dir + "/data.bin.sha256") != bChecksums)
            Fail(dir + ": the checksum record is " + (bChecksums ? "missing" : "there"));
        const std::vector<std::string> pieces = ListPieces(dir, "data_");
        if (pieces.size() != ref.size())
            Fail(dir + ": " + std::to_string(pieces.size()) + " pieces, split -b made " + std::to_string(ref.size()));
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!SameBytes(pieces[i], ref[i]))
                Fail(pieces[i] + " differs from split -b's " + ref[i]);
        }
        return figures;
    }

    // Merges dir's pieces into a new data.bin (beside them, or in into), and checks
    // it. With checksums the split before must have left its record, which the merge
    // then checks.
    CJobFigures Merge(const std::string& dir, Side side, bool bProgress, bool bChecksums,
        const std::string& into = std::string())
    {
        const std::string merged = (into.empty() ? dir : into) + "/data.bin";
        fs::remove(merged);
        if (!bChecksums)
            fs::remove(dir + "/data.bin.sha256");
        else if (!fs::exists(dir + "/data.bin.sha256"))
            Fail(dir + ": no checksum record to check");
        const CJobFigures figures =
            Job("merge", dir + "/data_001.bin", side, bProgress, bChecksums, kBenchPieceSize, into);
        if (!SameBytes(m_source, merged))
            Fail(merged + " differs from the source");
        return figures;
    }

    static void Add(CPairStats& stats, const std::pair<CJobFigures, CJobFigures>& runs)
    {
        stats.Add(runs.first.wallSeconds, runs.second.wallSeconds, runs.first.cpuSeconds, runs.second.cpuSeconds);
    }

    const std::string m_work, m_source, m_jobExe, m_wineExe, m_into;
    const bool m_bIntoOnly;
    std::vector<std::string> m_ref, m_largeRef;
    std::unique_ptr<CServedChild> m_native, m_wine;
    CPairStats m_splitVsSplit{"split / split -b, sha256sum"};
    CPairStats m_splitVsCp{"split, copy alone / cp"};
    CPairStats m_copySplitVsSplit{"split, copy alone / split -b"};
    CPairStats m_largeSplitVsSplit{"split 1e9 / split -b, sha256sum"};
    CPairStats m_mergeVsCat{"merge / sha256sum -c, cat"};
    CPairStats m_copyMergeVsCat{"merge, copy alone / cat"};
    CPairStats m_splitIntoVsSplit{"split into a folder / split -b there"};
    CPairStats m_mergeIntoVsCat{"merge into a folder / cat > there"};
    CPairStats m_verifyVsSha{"check / sha256sum -c"};
    CPairStats m_splitProgress{"copy alone: split, progress on/off"};
    CPairStats m_mergeProgress{"copy alone: merge, progress on/off"};
    CPairStats m_splitWine{"split, Wine / native"};
    CPairStats m_mergeWine{"merge, Wine / native"};
    CPairStats m_copySplitWine{"copy alone: split, Wine / native"};
    CPairStats m_copyMergeWine{"copy alone: merge, Wine / native"};
    long m_nPeak[kPeaks] = {};
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::string intoBase;
    bool bIntoOnly = false;
    std::string wineExe = TOSVIK_SOURCE_DIR "/build/win64/bench/split_merge_job.exe";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-wine")
            wineExe.clear();
        else if (arg == "--wine" && i + 1 < argc)
            wineExe = argv[++i];
        else if (arg == "--into" && i + 1 < argc)
            intoBase = argv[++i];
        else if (arg == "--into-only")
            bIntoOnly = true;
        else
            positional.push_back(arg);
    }
    const fs::path base = fs::absolute(positional.size() > 0 ? fs::path(positional[0]) : fs::temp_directory_path());
    const int nRounds = positional.size() > 1 ? std::max(1, std::atoi(positional[1].c_str())) : 5;
    const std::string jobExe = (fs::canonical("/proc/self/exe").parent_path() / "split_merge_job").string();
    if (!wineExe.empty() && !fs::exists(wineExe)) {
        std::printf("Wine: skipped, no %s (cmake --build --preset win64 --target split_merge_job)\n", wineExe.c_str());
        wineExe.clear();
    }
    // A prefix of our own: the tests' prefix may be held by a test run.
    if (!wineExe.empty())
        ::setenv("WINEPREFIX", TOSVIK_SOURCE_DIR "/build/wineprefix-bench", 0);

    const std::string work = (base / ("tosvik-bench-" + std::to_string(::getpid()))).string();
    const std::string into = intoBase.empty() ? work + "/into"
        : (fs::absolute(intoBase) / ("tosvik-bench-into-" + std::to_string(::getpid()))).string();
    if (bIntoOnly)
        wineExe.clear();
    // A job process that ended early must not end us when we write to it.
    ::signal(SIGPIPE, SIG_IGN);
    CBench bench(work, jobExe, wineExe, into, bIntoOnly);
    bool bOk = false;
    try {
        bench.Prepare();
        std::printf("source: %s, %llu bytes; pieces of %llu bytes (%llu in one row); %d rounds, each pair back "
                    "to back, which goes first alternating\n",
            (work + "/source.bin").c_str(), static_cast<unsigned long long>(kSourceSize),
            static_cast<unsigned long long>(kBenchPieceSize), static_cast<unsigned long long>(kLargePieceSize), nRounds);
        for (int round = 0; round < nRounds; ++round) {
            bench.Round(round);
            std::fprintf(stderr, "round %d of %d done\n", round + 1, nRounds);
        }
        bOk = bench.Report();
    } catch (const std::exception& e) {
        // Every failure, a differing output above all, ends the run: its figures mean nothing.
        std::fprintf(stderr, "split_merge_bench: %s\n", e.what());
        fs::remove_all(work);
        fs::remove_all(into);
        return 1;
    }
    fs::remove_all(work);
    fs::remove_all(into);
    if (!bOk)
        std::printf("peak memory over the limit of %ld MiB\n", kPeakLimitKiB / 1024);
    return bOk ? 0 : 1;
}
