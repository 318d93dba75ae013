#include "app/TrayIcon.h"

#include "framework/win32/ShellNotify.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

bool CTrayIcon::Add(HWND hWnd)
{
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_nid.hWnd = hWnd;
    m_nid.uID = IDI_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY_ICON));
    return AfxShellNotifyIcon(NIM_ADD, &m_nid) != FALSE;
}

bool CTrayIcon::AddAgain()
{
    // The message can also come while the icon is still there: then the add fails
    // and the icon answers to a modify.
    return AfxShellNotifyIcon(NIM_ADD, &m_nid) || AfxShellNotifyIcon(NIM_MODIFY, &m_nid);
}

void CTrayIcon::Remove()
{
    AfxShellNotifyIcon(NIM_DELETE, &m_nid);
}
