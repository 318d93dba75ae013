// Ways in for tests to what use seldom meets: a refused rename at a chosen step, a
// temporary name already taken, a file system without unnamed files. The program
// never sets them; left alone they change nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

struct CTestHooks {
    // Called before each name a split's final pass changes or removes, numbered from
    // 1 within the pass; true makes that change fail as if the system refused it.
    std::function<bool(int nStep)> failPassStep;
    // The system's cause such a step reports: access denied.
    long nRefusedStepError = 0;
    // The number the next temporary name is made from, once.
    std::optional<std::uint32_t> nNextTemporaryName;
    // Natively: pending files are made as where O_TMPFILE is refused.
    bool bNoUnnamedFiles = false;
};

CTestHooks& TestHooks();
