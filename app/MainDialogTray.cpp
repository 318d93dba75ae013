// The main dialog's notification-area icon: minimising hides the window behind it,
// its mouse messages and menu bring the window back or end the program, and a
// restarted taskbar gets it back.
#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "framework/win32/Menu.h"
#include "framework/win32/ShellNotify.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

const UINT CMainDialog::s_nTaskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

void CMainDialog::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_MAXIMIZED)
        return;
    if (nType != SIZE_MINIMIZED) {
        CDialog::OnSize(nType, cx, cy);
        return;
    }
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = IDI_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY_ICON));
    // Hidden without an icon, the window could never be brought back: it stays
    // minimised on the taskbar instead.
    if (!AfxShellNotifyIcon(NIM_ADD, &m_nid))
        return;
    ShowWindow(SW_HIDE);
    m_bWindowShown = false;
}

LRESULT CMainDialog::OnTrayNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        RestoreFromTray();
        break;
    case WM_RBUTTONDOWN: {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_TRAY_RESTORE, "恢复");
        menu.AppendMenu(MF_STRING, ID_TRAY_ABOUT, "关于");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_TRAY_EXIT, "退出");
        POINT pt;
        ::GetCursorPos(&pt);
        SetForegroundWindow();
        menu.TrackPopupMenu(TPM_CENTERALIGN, pt.x, pt.y, this);
        break;
    }
    default:
        break;
    }
    return 0;
}

BOOL CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_TRAY_EXIT:
        AfxShellNotifyIcon(NIM_DELETE, &m_nid);
        DestroyWindow();
        break;
    case ID_TRAY_RESTORE:
        RestoreFromTray();
        break;
    case ID_TRAY_ABOUT: {
        CAboutDialog dlgAbout;
        dlgAbout.DoModal();
        break;
    }
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CMainDialog::OnTaskbarCreated(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // A restarted taskbar has forgotten the icon, the hidden window's only way back.
    // The message can also come while the icon is still there: then the add fails
    // and the icon answers to a modify. With no icon at all, the window comes back.
    if (!m_bWindowShown && !AfxShellNotifyIcon(NIM_ADD, &m_nid) && !AfxShellNotifyIcon(NIM_MODIFY, &m_nid)) {
        ShowWindow(SW_SHOWNORMAL);
        m_bWindowShown = true;
    }
    return 0;
}

void CMainDialog::RestoreFromTray()
{
    if (m_bWindowShown)
        return;
    AfxShellNotifyIcon(NIM_DELETE, &m_nid);
    ShowWindow(SW_SHOWNORMAL);
    m_bWindowShown = true;
}
