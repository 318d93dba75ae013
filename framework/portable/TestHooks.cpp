#include "framework/portable/TestHooks.h"

CTestHooks& TestHooks()
{
    static CTestHooks s_hooks;
    return s_hooks;
}
