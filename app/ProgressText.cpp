#include "app/ProgressText.h"

namespace {

// Below this the speed is mostly the time the job took to start.
const double kMinSeconds = 0.2;

CString FormatSize(std::uint64_t nBytes)
{
    // Switches where one decimal of megabytes would round up to "1000.0 MB".
    if (nBytes >= 999950000u)
        return AfxFormat("%.2f GB", static_cast<double>(nBytes) / 1e9);
    return AfxFormat("%.1f MB", static_cast<double>(nBytes) / 1e6);
}

bool SpeedKnown(std::uint64_t nDone, double dSeconds)
{
    return nDone > 0 && dSeconds >= kMinSeconds;
}

}  // namespace

CString FormatBytesDone(std::uint64_t nDone, std::uint64_t nTotal)
{
    if (nTotal == 0)
        return CString();
    // Rounded down, so 100% means every byte.
    unsigned nPercent = static_cast<unsigned>(nDone * 100 / nTotal);
    return AfxFormat("已完成：%s / %s (%u%%)", FormatSize(nDone).c_str(), FormatSize(nTotal).c_str(),
                     nPercent);
}

CString FormatSpeed(std::uint64_t nDone, double dSeconds)
{
    if (!SpeedKnown(nDone, dSeconds))
        return "速度：--";
    return AfxFormat("速度：%s/秒", FormatSize(static_cast<std::uint64_t>(nDone / dSeconds)).c_str());
}

CString FormatTimeLeft(std::uint64_t nDone, std::uint64_t nTotal, double dSeconds)
{
    if (!SpeedKnown(nDone, dSeconds) || nDone > nTotal)
        return "剩余时间：--";
    double dLeft = static_cast<double>(nTotal - nDone) * dSeconds / static_cast<double>(nDone);
    unsigned long nLeft = static_cast<unsigned long>(dLeft);
    if (static_cast<double>(nLeft) < dLeft)
        ++nLeft;
    if (nLeft < 60)
        return AfxFormat("剩余时间：%lu秒", nLeft);
    if (nLeft < 3600)
        return AfxFormat("剩余时间：%lu分%02lu秒", nLeft / 60, nLeft % 60);
    return AfxFormat("剩余时间：%lu小时%02lu分", nLeft / 3600, nLeft % 3600 / 60);
}
