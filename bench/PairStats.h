// Figures of one comparison: per round, ours and the peer ran back to back. The
// ratio is taken within each round and its median reported, so a machine that
// speeds up or slows down between rounds moves both sides of a ratio alike.
#pragma once

#include <string>
#include <vector>

class CPairStats {
public:
    explicit CPairStats(std::string strName) : m_strName(std::move(strName)) {}

    // cpu < 0 when it cannot be told apart from the tooling around the job.
    void Add(double oursWall, double peerWall, double oursCpu = -1, double peerCpu = -1);
    bool Empty() const { return m_wallRatios.empty(); }
    double MedianWallRatio() const;
    double MedianCpuRatio() const;
    // One line: the medians of the ratios with their range, and the median times.
    void Print() const;

private:
    std::string m_strName;
    std::vector<double> m_wallRatios, m_cpuRatios, m_oursWall, m_peerWall;
};

double Median(std::vector<double> values);
