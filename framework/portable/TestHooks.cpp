#include "framework/portable/TestHooks.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

CTestHooks& TestHooks()
{
    static CTestHooks s_hooks = [] {
        CTestHooks hooks;
#ifdef _WIN32
        hooks.nRefusedStepError = ERROR_ACCESS_DENIED;
#else
        hooks.nRefusedStepError = EACCES;
#endif
        return hooks;
    }();
    return s_hooks;
}
