#include "tests/engine/SmallVolume.h"

#include "tests/engine/TestFiles.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void WriteAll(int fd, const std::string& text)
{
    for (std::size_t nDone = 0; nDone < text.size();) {
        const ssize_t n = ::write(fd, text.data() + nDone, text.size() - nDone);
        if (n <= 0)
            return;
        nDone += static_cast<std::size_t>(n);
    }
}

// In the child: "ran\n" and the step's result, or why it could not run.
[[noreturn]] void RunChild(int fd, std::uint64_t nBytes, const std::string& strDir,
                           const std::function<std::string(const std::string&)>& step)
{
    if (::unshare(CLONE_NEWNS) != 0) {
        WriteAll(fd, std::string("no mount namespace: ") + std::strerror(errno));
        ::_exit(0);
    }
    // Private, so the mount below never shows in the parent's namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tosvik-test", strDir.c_str(), "tmpfs", 0, ("size=" + std::to_string(nBytes)).c_str()) != 0) {
        WriteAll(fd, std::string("no tmpfs: ") + std::strerror(errno));
        ::_exit(0);
    }
    WriteAll(fd, "ran\n");
    // Nothing may unwind out of the child into the parent's copy of the test run.
    try {
        WriteAll(fd, step(strDir));
    } catch (const std::exception& e) {
        WriteAll(fd, std::string("the step threw: ") + e.what());
        ::_exit(1);
    }
    ::_exit(0);
}

} // namespace

CSmallVolumeRun RunOnSmallVolume(std::uint64_t nBytes, const std::function<std::string(const std::string&)>& step)
{
    CSmallVolumeRun run;
    if (::geteuid() != 0) {
        run.strWhy = "not root";
        return run;
    }
    CTempDir dir;
    const std::string strMount = dir.Path("volume");
    if (::mkdir(strMount.c_str(), 0700) != 0) {
        run.strWhy = "no folder to mount on";
        return run;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        run.strWhy = "no pipe";
        return run;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        RunChild(fds[1], nBytes, strMount, step);
    }
    ::close(fds[1]);
    std::string strOut;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        strOut.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int nStatus = 0;
    const bool bExited = pid > 0 && ::waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus);
    // Once the volume was there, whatever happened is the step's result, a failure too.
    if (strOut.compare(0, 4, "ran\n") == 0) {
        run.bRan = true;
        run.strResult = strOut.substr(4);
        if (!bExited)
            run.strResult += "\n(the child did not exit)";
        return run;
    }
    run.strWhy = bExited ? strOut : "the child did not exit: " + strOut;
    return run;
}
