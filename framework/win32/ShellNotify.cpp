#include "framework/win32/ShellNotify.h"

namespace {
ShellNotifyIconFn g_pfnShellNotifyIconHook = nullptr;
}

BOOL AfxShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid)
{
    if (g_pfnShellNotifyIconHook != nullptr)
        return g_pfnShellNotifyIconHook(dwMessage, pnid);
    return ::Shell_NotifyIconA(dwMessage, pnid);
}

ShellNotifyIconFn AfxSetShellNotifyIconHook(ShellNotifyIconFn fn)
{
    ShellNotifyIconFn previous = g_pfnShellNotifyIconHook;
    g_pfnShellNotifyIconHook = fn;
    return previous;
}
