// A piece of work run in a child process and killed with SIGKILL at a point of its
// choosing, as a power cut or a killed program would stop it. Native only: Windows
// tests start a program of their own and use TerminateProcess.
#pragma once

#ifndef _WIN32
#include <functional>

// Runs work in a forked child. When work calls the function it is given, the child
// stops there, whileStopped (if any) runs in this process, and the child is killed.
// False when work never called it or the child did not die of the kill.
bool RunUntilKilled(const std::function<void(const std::function<void()>& stopHere)>& work,
                    const std::function<void()>& whileStopped = {});
#endif
