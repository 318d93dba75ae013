#include "bench/ChildProcess.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Seconds(const struct timeval& tv)
{
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
}

[[noreturn]] void Fail(const std::vector<std::string>& args, const char* pszWhat)
{
    std::string command;
    for (const std::string& arg : args)
        command += (command.empty() ? "" : " ") + arg;
    throw std::runtime_error(command + ": " + pszWhat);
}

[[noreturn]] void ExecChild(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

} // namespace

CChildRun RunChild(const std::vector<std::string>& args, const std::string& outPath)
{
    int pipeFds[2] = {-1, -1};
    if (outPath.empty() && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        Fail(args, "no pipe");
    const auto start = std::chrono::steady_clock::now();
    // fork, not vfork: exec counts the old address space into the child's peak, and
    // with vfork that would be ours.
    const pid_t pid = ::fork();
    if (pid < 0)
        Fail(args, "cannot fork");
    if (pid == 0) {
        int fd = outPath.empty() ? pipeFds[1] : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || ::dup2(fd, 1) < 0)
            ::_exit(127);
        if (outPath.empty())
            ::close(pipeFds[0]);
        ::close(fd);
        ExecChild(args);
    }
    CChildRun run;
    if (outPath.empty()) {
        ::close(pipeFds[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
            run.output.append(buffer, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
    }
    int status = 0;
    struct rusage usage = {};
    if (::wait4(pid, &status, 0, &usage) != pid)
        Fail(args, "lost the child");
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(args, "failed");
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.maxRssKiB = usage.ru_maxrss;
    return run;
}

// Our ends of the pipes are close-on-exec, so no other child holds them open.
CServedChild::CServedChild(const std::vector<std::string>& args)
{
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
        Fail(args, "no pipe");
    m_pid = ::fork();
    if (m_pid < 0)
        Fail(args, "cannot fork");
    if (m_pid == 0) {
        if (::dup2(toChild[0], 0) < 0 || ::dup2(fromChild[1], 1) < 0)
            ::_exit(127);
        ExecChild(args);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_toChild = toChild[1];
    m_fromChild = ::fdopen(fromChild[0], "r");
}

CServedChild::~CServedChild()
{
    ::close(m_toChild);
    if (m_fromChild != nullptr)
        std::fclose(static_cast<std::FILE*>(m_fromChild));
    int status = 0;
    ::waitpid(m_pid, &status, 0);
}

std::string CServedChild::Ask(const std::string& line)
{
    const std::string text = line + "\n";
    char answer[512];
    if (::write(m_toChild, text.data(), text.size()) != static_cast<ssize_t>(text.size()) || m_fromChild == nullptr ||
        std::fgets(answer, sizeof answer, static_cast<std::FILE*>(m_fromChild)) == nullptr)
        throw std::runtime_error("the job process ended before it answered " + line);
    return answer;
}
