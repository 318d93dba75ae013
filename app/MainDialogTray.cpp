// The main dialog and its notification-area icon: minimising hides the window behind
// it, its mouse messages bring the window back or open the tray menu, and a
// restarted taskbar gets it back.
#include "app/MainDialog.h"

#include "framework/win32/Menu.h"
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
    // Hidden without an icon, the window could never be brought back: it stays
    // minimised on the taskbar instead.
    if (!m_trayIcon.Add(m_hWnd))
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

LRESULT CMainDialog::OnTaskbarCreated(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The icon is the hidden window's only way back; without it, the window comes back.
    if (!m_bWindowShown && !m_trayIcon.AddAgain()) {
        ShowWindow(SW_SHOWNORMAL);
        m_bWindowShown = true;
    }
    return 0;
}

void CMainDialog::RestoreFromTray()
{
    if (m_bWindowShown)
        return;
    m_trayIcon.Remove();
    ShowWindow(SW_SHOWNORMAL);
    m_bWindowShown = true;
}
