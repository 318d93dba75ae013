// Every message box of the program goes through AfxShowMessageBox. Tests replace it
// with AfxSetMessageBoxHook to record owner, text, caption and type and to answer.
#pragma once

#include "framework/win32/Win32.h"

#include <string>

using MessageBoxFn = int (*)(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);

// Shows the box (or asks the hook); returns the button pressed.
int AfxShowMessageBox(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);

// Installs fn in place of the real box; null restores it. Returns the previous hook.
MessageBoxFn AfxSetMessageBoxHook(MessageBoxFn fn);

// The framework's standard box, captioned with the application's title and owned by
// the application's main window, or by the popup it last activated (its modal
// dialog); without a main window, by the active window.
int AfxMessageBox(LPCSTR pszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// The application's title: the program's file name without its extension.
std::string AfxGetAppTitle();
