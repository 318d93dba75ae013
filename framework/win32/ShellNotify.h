// Every notification-area call of the program goes through AfxShellNotifyIcon. Tests
// replace it with AfxSetShellNotifyIconHook to see the records passed and to answer
// for the shell. The record stays in its first, narrow layout (88 bytes): its one text,
// the tip, is empty, and callers rely on that size.
#pragma once

#include "framework/win32/Win32.h"

#include <shellapi.h>

using ShellNotifyIconFn = BOOL (*)(DWORD dwMessage, NOTIFYICONDATAA* pnid);

// Passes the record to the shell (or to the hook); returns its answer.
BOOL AfxShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid);

// Installs fn in place of the shell; null restores it. Returns the previous hook.
ShellNotifyIconFn AfxSetShellNotifyIconHook(ShellNotifyIconFn fn);
