#include "bench/PairStats.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void CPairStats::Add(double oursWall, double peerWall, double oursCpu, double peerCpu)
{
    m_wallRatios.push_back(oursWall / peerWall);
    m_oursWall.push_back(oursWall);
    m_peerWall.push_back(peerWall);
    if (oursCpu >= 0 && peerCpu > 0)
        m_cpuRatios.push_back(oursCpu / peerCpu);
}

double CPairStats::MedianWallRatio() const
{
    return Median(m_wallRatios);
}

double CPairStats::MedianCpuRatio() const
{
    return Median(m_cpuRatios);
}

void CPairStats::Print() const
{
    const auto range = [](const std::vector<double>& v) {
        char text[64];
        std::snprintf(text, sizeof text, "%5.2f (%.2f-%.2f)", Median(v), *std::min_element(v.begin(), v.end()),
            *std::max_element(v.begin(), v.end()));
        return std::string(text);
    };
    std::printf("%-34s %-18s %-18s %7.3f s %7.3f s\n", m_strName.c_str(), range(m_wallRatios).c_str(),
        m_cpuRatios.empty() ? "-" : range(m_cpuRatios).c_str(), Median(m_oursWall), Median(m_peerWall));
}
