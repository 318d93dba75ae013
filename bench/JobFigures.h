// What a job's process answers: its figures, as one line of text.
#pragma once

#include <string>

struct CJobFigures {
    bool bOk = false;     // done, no box, and with progress every byte reported
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long peakKiB = 0;     // of the whole process so far
};

// The line a job's process answers with: "ok <wall> <cpu> <peak KiB>" or "failed".
std::string FormatJobFigures(const CJobFigures& figures);
// False when line is not a success.
bool ParseJobFigures(const std::string& line, CJobFigures& figures);
