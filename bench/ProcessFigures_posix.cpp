#include "bench/ProcessFigures.h"

#include <cstdio>
#include <cstring>
#include <ctime>

double ProcessCpuSeconds()
{
    struct timespec ts = {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

long PeakMemoryKiB()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0;
    long nKiB = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &nKiB);
            break;
        }
    }
    std::fclose(status);
    return nKiB;
}
