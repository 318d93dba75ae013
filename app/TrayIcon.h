// The main dialog's icon in the notification area: one record, in the 88-byte layout
// the first shells read, with the identifier 130 of the icon it shows, no tooltip,
// and the message the shell sends the window about the mouse over it.
#pragma once

#include "framework/win32/Win32.h"

#include <shellapi.h>

// What the notification-area icon sends the dialog about the mouse.
#define WM_TRAY_NOTIFY (WM_USER + 1)

class CTrayIcon {
public:
    // Fills the record for hWnd, the program's icon loaded afresh, and adds the icon;
    // false when the shell did not take it.
    bool Add(HWND hWnd);
    // A restarted taskbar has forgotten the icon: adds it again, or updates it when
    // it is still there. False when neither worked.
    bool AddAgain();
    // Removes the icon with the record it was added with.
    void Remove();

private:
    NOTIFYICONDATAA m_nid = {};
};
