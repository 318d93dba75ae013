// Every notification-area call of the program goes through AfxShellNotifyIcon. Tests
// replace it with AfxSetShellNotifyIconHook to see the records passed and to answer
// for the shell.
#pragma once

#include "framework/win32/Win32.h"

#include <shellapi.h>

using ShellNotifyIconFn = BOOL (*)(DWORD dwMessage, NOTIFYICONDATAW* pnid);

// Passes the record to the shell (or to the hook); returns its answer.
BOOL AfxShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pnid);

// Installs fn in place of the shell; null restores it. Returns the previous hook.
ShellNotifyIconFn AfxSetShellNotifyIconHook(ShellNotifyIconFn fn);
