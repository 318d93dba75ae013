#include "bench/JobFigures.h"

#include <cstdio>

std::string FormatJobFigures(const CJobFigures& figures)
{
    if (!figures.bOk)
        return "failed";
    char line[96];
    std::snprintf(line, sizeof line, "ok %.6f %.6f %ld", figures.wallSeconds, figures.cpuSeconds, figures.peakKiB);
    return line;
}

bool ParseJobFigures(const std::string& line, CJobFigures& figures)
{
    figures.bOk = std::sscanf(line.c_str(), "ok %lf %lf %ld", &figures.wallSeconds, &figures.cpuSeconds,
                      &figures.peakKiB) == 3 && figures.wallSeconds > 0;
    return figures.bOk;
}
