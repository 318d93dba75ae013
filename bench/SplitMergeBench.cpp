// Splits 1 GiB into 32,000,000-byte pieces and merges it back with the engine, and
// does the same with split(1) and cat(1). Each job runs in its own process so its
// wall time and peak memory are its own; the page cache is warm for both sides, and
// the jobs take turns so that both meet the same state of the machine.
// Usage: split_merge_bench [FOLDER] [ROUNDS]
#include "engine/MergePieces.h"
#include "engine/SplitFile.h"
#include "framework/File.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kSourceSize = std::uint64_t{1} << 30;
constexpr int kPieceSizeK = 32000;

class CSilentOwner : public IMessageOwner {
public:
    int MessageBox(const char* pszText, const char*, unsigned) override
    {
        std::fprintf(stderr, "box: %s\n", pszText);
        ++m_nBoxes;
        return 1;
    }
    int m_nBoxes = 0;
};

struct CRun {
    double seconds;
    double cpuSeconds;   // user + system: less disturbed than wall time by other load
    long maxRssKiB;
    double fastest = 0;
};

double Seconds(const struct timeval& tv)
{
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
}

// Runs argv in a child, its standard output sent to outPath when given.
CRun Measure(const std::vector<std::string>& args, const std::string& outPath = std::string())
{
    ::sync();
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        if (!outPath.empty()) {
            int fd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (fd < 0 || ::dup2(fd, 1) < 0)
                ::_exit(127);
        }
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    ::wait4(pid, &status, 0, &usage);
    auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", args[0].c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
        usage.ru_maxrss};
}

void WriteSource(const std::string& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
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

std::vector<std::string> ListPieces(const std::string& dir, const std::string& prefix)
{
    std::vector<std::string> pieces;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0)
            pieces.push_back(entry.path().string());
    }
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

void Clear(const std::string& dir)
{
    fs::remove_all(dir);
    fs::create_directory(dir);
}

CRun Median(std::vector<CRun> runs)
{
    std::vector<double> cpu;
    for (const CRun& run : runs)
        cpu.push_back(run.cpuSeconds);
    std::sort(cpu.begin(), cpu.end());
    std::sort(runs.begin(), runs.end(), [](const CRun& a, const CRun& b) { return a.seconds < b.seconds; });
    CRun result = runs[runs.size() / 2];
    result.cpuSeconds = cpu[cpu.size() / 2];
    result.fastest = runs.front().seconds;
    for (const CRun& run : runs)
        result.maxRssKiB = std::max(result.maxRssKiB, run.maxRssKiB);
    return result;
}

void Print(const char* label, const CRun& run)
{
    std::printf("%-18s %6.3f s (fastest %.3f s) %7.1f MB/s  cpu %6.3f s %6.1f MiB max RSS\n", label, run.seconds,
        run.fastest, static_cast<double>(kSourceSize) / 1e6 / run.seconds, run.cpuSeconds, run.maxRssKiB / 1024.0);
}

void PrintRatio(const char* label, const CRun& ours, const CRun& peer)
{
    std::printf("%-18s %6.2f time (fastest %.2f)  cpu %.2f  memory %.2f\n", label, ours.seconds / peer.seconds,
        ours.fastest / peer.fastest, ours.cpuSeconds / peer.cpuSeconds,
        static_cast<double>(ours.maxRssKiB) / static_cast<double>(peer.maxRssKiB));
}

int RunJob(const char* job, const char* path)
{
    CSilentOwner owner;
    bool bOk;
    if (std::string(job) == "--split") {
        SplitFile(&owner, path, kPieceSizeK);
        bOk = g_bSplitOk;
    } else {
        MergePieces(&owner, path);
        bOk = g_bMergeOk;
    }
    return bOk && owner.m_nBoxes == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && argv[1][0] == '-')
        return RunJob(argv[1], argv[2]);

    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int nRounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string work = (base / ("tosvik-bench-" + std::to_string(::getpid()))).string();
    const std::string ours = work + "/ours";
    const std::string peer = work + "/peer";
    const std::string source = work + "/source.bin";
    fs::create_directories(work);
    WriteSource(source);
    std::printf("source: %s, %llu bytes; pieces of %d000 bytes; median of %d rounds\n", source.c_str(),
        static_cast<unsigned long long>(kSourceSize), kPieceSizeK, nRounds);

    std::vector<CRun> oursSplit, oursMerge, peerSplit, peerMerge;
    for (int round = 0; round < nRounds; ++round) {
        Clear(ours);
        Clear(peer);
        // The engine's merge writes data.bin again; a link keeps the source intact.
        fs::create_hard_link(source, ours + "/data.bin");
        oursSplit.push_back(Measure({self, "--split", ours + "/data.bin"}));
        peerSplit.push_back(Measure({"split", "-b", "32000000", source, peer + "/data.bin."}));
        fs::remove(ours + "/data.bin");
        oursMerge.push_back(Measure({self, "--merge", ours + "/data_001.bin"}));
        std::vector<std::string> cat = {"cat"};
        for (const std::string& piece : ListPieces(peer, "data.bin."))
            cat.push_back(piece);
        peerMerge.push_back(Measure(cat, peer + "/merged.bin"));
        Measure({"cmp", source, ours + "/data.bin"});
        Measure({"cmp", source, peer + "/merged.bin"});
    }
    fs::remove_all(work);

    CRun os = Median(oursSplit), om = Median(oursMerge), ps = Median(peerSplit), pm = Median(peerMerge);
    Print("ours SplitFile", os);
    Print("split -b 32000000", ps);
    Print("ours MergePieces", om);
    Print("cat pieces > file", pm);
    PrintRatio("split ours/peer", os, ps);
    PrintRatio("merge ours/peer", om, pm);
    std::printf("peak memory of our split: %.1f MiB, limit piece + 4 MiB = %.1f MiB\n", os.maxRssKiB / 1024.0,
        (kPieceSizeK * 1000.0 + 4 * 1048576.0) / 1048576.0);
    std::printf("merged outputs equal the source (cmp)\n");
    return 0;
}
