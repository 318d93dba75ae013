// The main dialog's icon in the notification area and all it does: minimising hides
// the window behind it, a double-click or the tray menu's Restore brings the window
// back, the menu's About and Exit act for the window, and a restarted taskbar gets
// the icon back. The record is the first shells' layout, with the identifier 130 of
// the icon it shows, no tooltip, and WM_TRAY_NOTIFY for the mouse.
#pragma once

#include "framework/win32/ShellNotify.h"
#include "framework/win32/Wnd.h"

// What the notification-area icon sends the dialog about the mouse.
#define WM_TRAY_NOTIFY (WM_USER + 1)

class CTrayIcon {
public:
    // wnd: the window the icon stands for; it outlives the icon.
    explicit CTrayIcon(CWnd& wnd) : m_wnd(wnd) {}
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Sent to every top-level window when the taskbar (re)starts.
    static const UINT s_nTaskbarCreatedMessage;

    // The window was minimised: it hides behind a new icon.
    void HideWindow();
    // A mouse message over the icon (WM_TRAY_NOTIFY's lParam).
    void OnMouse(UINT nMouseMessage);
    // The taskbar restarted and has forgotten the icon.
    void OnTaskbarCreated();
    // The tray menu's commands (ID_TRAY_*); any other command is left alone.
    void OnCommand(UINT nID);

private:
    // Fills the record, the program's icon loaded afresh, and adds the icon; false
    // when the shell did not take it.
    bool Add();
    // Removes the icon and shows the window, unless it is shown already.
    void Restore();
    void ShowMenu();

    CWnd& m_wnd;
    NOTIFYICONDATAA m_nid = {};
    // False only while the window is hidden behind the icon.
    bool m_bWindowShown = true;
};
