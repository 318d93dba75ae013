// A volume of a chosen size, for tests of what happens when room runs out: a tmpfs
// mounted in a mount namespace of a child process's own, so nothing outlives the
// test. Needs root; natively only.
#pragma once

#ifndef _WIN32
#include <cstdint>
#include <functional>
#include <string>

struct CSmallVolumeRun {
    bool bRan = false;
    std::string strWhy;     // why it did not run
    std::string strResult;  // what the step returned, or why it threw
};

// Runs step in a child process with an empty volume of nBytes mounted at the folder
// it is given, and hands back what step returned. Not run only when the volume could
// not be made.
CSmallVolumeRun RunOnSmallVolume(std::uint64_t nBytes, const std::function<std::string(const std::string&)>& step);
#endif
