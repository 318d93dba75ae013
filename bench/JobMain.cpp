// The process the benchmark times a job in, natively and under Wine.
// Usage: split_merge_job split|merge|verify PATH [--progress] [--no-checksums] [--piece-size=BYTES]
//        [--into=FOLDER]   one job
//        split_merge_job --serve   one such line of arguments per line of input, one
//        answer per job; a process kept alive, so Wine starts its services only once
#include "bench/BenchJob.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Takes flag off the end of line when it is there.
bool TakeFlag(std::string& line, const std::string& flag)
{
    const std::string tail = " " + flag;
    if (line.size() <= tail.size() || line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    line.resize(line.size() - tail.size());
    return true;
}

// Takes " PREFIXvalue" off the end of line when it is there.
bool TakeValue(std::string& line, const std::string& prefix, std::string& value)
{
    const std::size_t nStart = line.rfind(" " + prefix);
    if (nStart == std::string::npos || line.find(' ', nStart + 1) != std::string::npos)
        return false;
    value = line.substr(nStart + 1 + prefix.size());
    line.resize(nStart);
    return true;
}

// "split PATH", "merge PATH" or "verify PATH", flags after; PATH may hold spaces.
bool RunLine(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    CJobOptions options;
    for (bool bTaken = true; bTaken;) {
        bTaken = false;
        if (TakeFlag(line, "--progress"))
            bTaken = options.bProgress = true;
        if (TakeFlag(line, "--no-checksums")) {
            options.bChecksums = false;
            bTaken = true;
        }
        std::string value;
        if (TakeValue(line, "--piece-size=", value)) {
            options.nPieceSize = std::strtoull(value.c_str(), nullptr, 10);
            bTaken = true;
        }
        if (TakeValue(line, "--into=", value)) {
            options.strTargetDir = value;
            bTaken = true;
        }
    }
    const std::size_t space = line.find(' ');
    CJobFigures figures;
    if (space != std::string::npos)
        figures = RunBenchJob(line.substr(0, space), line.substr(space + 1), options);
    std::printf("%s\n", FormatJobFigures(figures).c_str());
    std::fflush(stdout);
    return figures.bOk;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--serve") {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, stdin) != nullptr)
            RunLine(buffer);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: split_merge_job split|merge|verify PATH [--progress] [--no-checksums] "
                             "[--piece-size=BYTES] [--into=FOLDER] | --serve\n");
        return 2;
    }
    std::string line = argv[1];
    for (int i = 2; i < argc; ++i)
        line += std::string(" ") + argv[i];
    return RunLine(line) ? 0 : 1;
}
