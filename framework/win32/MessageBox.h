// Every message box of the program goes through AfxShowMessageBox. Tests replace it
// with AfxSetMessageBoxHook to record owner, text, caption and type and to answer.
// Texts and captions are UTF-8, for the hook too; the box itself is shown in UTF-16,
// so it reads the same whatever the system's code page.
#pragma once

#include "framework/win32/Win32.h"

#include <string>

using MessageBoxFn = int (*)(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);

// Shows the box (or asks the hook); returns the button pressed. A null caption is
// the system's default one.
int AfxShowMessageBox(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);

// Installs fn in place of the real box; null restores it. Returns the previous hook.
MessageBoxFn AfxSetMessageBoxHook(MessageBoxFn fn);

// The framework's standard box, captioned with the application's title and owned by
// the application's main window, or by the popup it last activated (its modal
// dialog); without a main window, by the active window.
int AfxMessageBox(LPCSTR pszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// The application's title: the program's file name without its extension, UTF-8.
std::string AfxGetAppTitle();
