// The process the benchmark times a job in, natively and under Wine.
// Usage: split_merge_job split|merge PATH [--progress]   one job
//        split_merge_job --serve   one such line of arguments per line of input, one
//        answer per job; a process kept alive, so Wine starts its services only once
#include "bench/BenchJob.h"

#include <cstdio>
#include <string>

namespace {

// "split PATH" or "merge PATH", perhaps with " --progress" after; PATH may hold spaces.
bool RunLine(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    const std::string flag = " --progress";
    const bool bProgress = line.size() > flag.size() && line.compare(line.size() - flag.size(), flag.size(), flag) == 0;
    if (bProgress)
        line.resize(line.size() - flag.size());
    const std::size_t space = line.find(' ');
    CJobFigures figures;
    if (space != std::string::npos)
        figures = RunBenchJob(line.substr(0, space), line.substr(space + 1), bProgress);
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
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--progress")) {
        std::fprintf(stderr, "usage: split_merge_job split|merge PATH [--progress] | --serve\n");
        return 2;
    }
    return RunLine(std::string(argv[1]) + " " + argv[2] + (argc == 4 ? " --progress" : "")) ? 0 : 1;
}
