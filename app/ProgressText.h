// The figures of the progress dialog in the program's words. Sizes count decimal
// megabytes, as the piece sizes "32MB" and "64MB" do. Each is empty or "--" while
// there is nothing to say yet.
#pragma once

#include "framework/portable/String.h"

#include <cstdint>

// "已完成：640.0 MB / 2.15 GB (29%)"; empty before the job knows its size.
CString FormatBytesDone(std::uint64_t nDone, std::uint64_t nTotal);
// "速度：85.3 MB/秒", from the average since the job began.
CString FormatSpeed(std::uint64_t nDone, double dSeconds);
// "剩余时间：1分05秒" at the average speed so far, rounded up to the second.
CString FormatTimeLeft(std::uint64_t nDone, std::uint64_t nTotal, double dSeconds);
