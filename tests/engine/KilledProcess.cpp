#include "tests/engine/KilledProcess.h"

#ifndef _WIN32
#include <csignal>
#include <cerrno>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

bool RunUntilKilled(const std::function<void(const std::function<void()>& stopHere)>& work,
                    const std::function<void()>& whileStopped)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::close(fds[0]);
        work([&] {
            const char c = 's';
            if (::write(fds[1], &c, 1) == 1) {
                for (;;)
                    ::pause();
            }
        });
        // Never reached the point: no kill to wait for.
        std::_Exit(3);
    }
    ::close(fds[1]);
    char c = 0;
    ssize_t n;
    do {
        n = ::read(fds[0], &c, 1);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    const bool bStopped = n == 1;
    if (bStopped && whileStopped)
        whileStopped();
    ::kill(pid, SIGKILL);
    int nStatus = 0;
    while (::waitpid(pid, &nStatus, 0) < 0 && errno == EINTR) {
    }
    return bStopped && WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL;
}
#endif
