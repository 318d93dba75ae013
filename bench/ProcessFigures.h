// What the system counts for this process: its CPU time and the most memory it held.
#pragma once

// User and kernel time of the whole process so far.
double ProcessCpuSeconds();
// KiB: the high-water resident set on Linux, the peak working set on Windows.
long PeakMemoryKiB();
