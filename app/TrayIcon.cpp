#include "app/TrayIcon.h"

#include "app/AboutDialog.h"
#include "framework/win32/Menu.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

const UINT CTrayIcon::s_nTaskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

bool CTrayIcon::Add()
{
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_nid.hWnd = m_wnd.m_hWnd;
    m_nid.uID = IDI_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY_ICON));
    return AfxShellNotifyIcon(NIM_ADD, &m_nid) != FALSE;
}

void CTrayIcon::HideWindow()
{
    // Hidden without an icon, the window could never be brought back: it stays
    // minimised on the taskbar instead.
    if (!Add())
        return;
    m_wnd.ShowWindow(SW_HIDE);
    m_bWindowShown = false;
}

void CTrayIcon::OnMouse(UINT nMouseMessage)
{
    if (nMouseMessage == WM_LBUTTONDBLCLK)
        Restore();
    else if (nMouseMessage == WM_RBUTTONDOWN)
        ShowMenu();
}

void CTrayIcon::ShowMenu()
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_TRAY_RESTORE, "恢复");
    menu.AppendMenu(MF_STRING, ID_TRAY_ABOUT, "关于");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_TRAY_EXIT, "退出");
    POINT pt;
    ::GetCursorPos(&pt);
    m_wnd.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_CENTERALIGN, pt.x, pt.y, &m_wnd);
}

void CTrayIcon::OnCommand(UINT nID)
{
    switch (nID) {
    case ID_TRAY_EXIT:
        AfxShellNotifyIcon(NIM_DELETE, &m_nid);
        m_wnd.DestroyWindow();
        break;
    case ID_TRAY_RESTORE:
        Restore();
        break;
    case ID_TRAY_ABOUT: {
        CAboutDialog dlgAbout;
        dlgAbout.DoModal();
        break;
    }
    default:
        break;
    }
}

void CTrayIcon::OnTaskbarCreated()
{
    if (m_bWindowShown)
        return;
    // The message can also come while the icon is still there: then the add fails
    // and the icon answers to a modify. The icon is the hidden window's only way
    // back; without it, the window comes back.
    if (AfxShellNotifyIcon(NIM_ADD, &m_nid) || AfxShellNotifyIcon(NIM_MODIFY, &m_nid))
        return;
    m_wnd.ShowWindow(SW_SHOWNORMAL);
    m_bWindowShown = true;
}

void CTrayIcon::Restore()
{
    if (m_bWindowShown)
        return;
    AfxShellNotifyIcon(NIM_DELETE, &m_nid);
    m_wnd.ShowWindow(SW_SHOWNORMAL);
    m_bWindowShown = true;
}
