// A command run in a child process and measured from outside: wall time, the
// child's own CPU time and its peak resident memory as wait4 reports them.
#pragma once

#include <string>
#include <vector>

struct CChildRun {
    double wallSeconds = 0;
    double cpuSeconds = 0;   // user + system: less disturbed than wall time by other load
    long maxRssKiB = 0;
    std::string output;      // standard output, unless it went to a file
};

// Runs args (args[0] looked up on PATH); its standard output goes to outPath when
// given, else it is captured. Throws std::runtime_error when the command fails: a
// figure of a failed job means nothing.
CChildRun RunChild(const std::vector<std::string>& args, const std::string& outPath = std::string());

// A child kept running that answers each line it is sent with one line.
class CServedChild {
public:
    // Starts args with its standard input and output connected to us.
    explicit CServedChild(const std::vector<std::string>& args);
    // Closes its input, which ends it, and waits for it.
    ~CServedChild();
    CServedChild(const CServedChild&) = delete;
    CServedChild& operator=(const CServedChild&) = delete;

    // Throws std::runtime_error when the child has ended.
    std::string Ask(const std::string& line);

private:
    int m_pid = -1;
    int m_toChild = -1;
    void* m_fromChild = nullptr;   // FILE*
};
